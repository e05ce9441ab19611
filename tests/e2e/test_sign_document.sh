#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# 签署 PDF 文档… in the real program: open a three-page PDF, go to page 2, drag the signature
# there, save under the proposed name; the saved file has the signature on page 2 where it was
# dropped (to the millimetre), and pages 1 and 3 as they were.
source "$(dirname "$0")/lib.sh"
yz_start_display 1280x800x24
yz_start_program

# A plain A4 document: text on pages 1 and 3, page 2 empty, so its ink is the stamp's alone.
yz_write_pdf "$YZ_WORK/doc.pdf" "BT /F1 24 Tf 72 760 Td (Page one) Tj ET" "" \
  "BT /F1 24 Tf 72 760 Td (Page three) Tj ET"
for page in 1 3; do pdftoppm -cropbox -r 72 -f $page -l $page -png "$YZ_WORK/doc.pdf" "$YZ_WORK/before-$page"; done

# Ctrl+Shift+S opens Qt's file dialog; the path typed there opens the signing window.
xdotool windowfocus --sync "$YZ_WINDOW"
xdotool key ctrl+shift+s
yz_wait_window '^签署 PDF 文档$' >/dev/null
xdotool type --delay 20 "$YZ_WORK/doc.pdf"
xdotool key Return
signing=$(yz_wait_window '^签署 PDF 文档 - doc.pdf$')
xdotool windowfocus --sync "$signing"
xdotool key Next  # Page Down: page 2, where the signature of page 1 shows faint
sleep 0.5

# Geometry on the screen: the page view's desk is #808080, the page inside it white; the ink is
# what is darker than light grey on the page. Prints "page_left page_top page_w page_h ink_l
# ink_t ink_w ink_h", all in screen pixels.
measure() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
from PIL import Image
shot = Image.open(sys.argv[1]).convert("RGB")
w, h = shot.size
px = shot.load()
# The desk's columns and rows are the ones mostly of its colour (grey text elsewhere has a few).
desk = lambda x, y: px[x, y] == (128, 128, 128)
columns = [x for x in range(w) if sum(desk(x, y) for y in range(0, h, 4)) > h // 16]
rows = [y for y in range(h) if sum(desk(x, y) for x in range(0, w, 4)) > w // 32]
if not columns or not rows: sys.exit("no page view")
dl, dr, dt, db = columns[0], columns[-1], rows[0], rows[-1]
white = [(x, y) for y in range(dt, db) for x in range(dl, dr) if px[x, y] == (255, 255, 255)]
pl, pt = min(p[0] for p in white), min(p[1] for p in white)
pr, pb = max(p[0] for p in white), max(p[1] for p in white)
ink = [(x, y) for y in range(pt, pb + 1) for x in range(pl, pr + 1) if sum(px[x, y]) / 3 < 200]
if not ink: sys.exit("no ink on the page")
il, it = min(p[0] for p in ink), min(p[1] for p in ink)
ir, ib = max(p[0] for p in ink), max(p[1] for p in ink)
print(pl, pt, pr - pl + 1, pb - pt + 1, il, it, ir - il + 1, ib - it + 1)
PY
}
yz_screenshot "$YZ_WORK/page2-before.png"
read -r pl pt pw ph il it iw ih < <(measure "$YZ_WORK/page2-before.png")
echo "page on screen ${pw}x$ph at $pl,$pt; faint signature ${iw}x$ih at $il,$it"
[ "$iw" -gt 30 ] || yz_fail "no signature to drag on page 2"

# Drag it right and down by (60, 100), in steps as a hand does (a drag stops at the page edge).
grab_x=$((il + iw / 2)) grab_y=$((it + ih / 2))
xdotool mousemove "$grab_x" "$grab_y"
sleep 0.2
xdotool mousedown 1
for step in 1 2 3 4 5; do
  xdotool mousemove "$((grab_x + 12 * step))" "$((grab_y + 20 * step))"
  sleep 0.05
done
xdotool mouseup 1
sleep 0.3
# A click on the desk beside the page lets go of the selection, whose frame is no ink.
xdotool mousemove "$((pl - 20))" "$((pt + 100))" click 1
sleep 0.5
yz_screenshot "$YZ_WORK/page2-after.png"
if [ -n "${YZ_KEEP_SHOTS:-}" ]; then cp "$YZ_WORK"/page2-*.png "$YZ_KEEP_SHOTS/"; fi
read -r pl pt pw ph il it iw ih < <(measure "$YZ_WORK/page2-after.png")
echo "after the drag: signature ${iw}x$ih at $il,$it"

# Ctrl+S: the save dialog proposes doc-已签.pdf beside the original; Return accepts it.
xdotool key ctrl+s
yz_wait_window '^保存签署后的文档$' >/dev/null
xdotool key Return
for _ in $(seq 100); do [ -s "$YZ_WORK/doc-已签.pdf" ] && break; sleep 0.1; done
[ -s "$YZ_WORK/doc-已签.pdf" ] || { yz_screenshot "$YZ_WORK/nosave.png"; yz_fail "nothing saved as doc-已签.pdf"; }
yz_expect_message_box saved

# The saved page 2 at 144 dpi, cropped as a viewer shows it: the ink where it was dropped.
pdftoppm -cropbox -r 144 -f 2 -l 2 -png "$YZ_WORK/doc-已签.pdf" "$YZ_WORK/signed"
/usr/bin/python3 - "$YZ_WORK"/signed*2.png "$pl" "$pt" "$pw" "$il" "$it" "$iw" <<'PY' || yz_fail "the signature is not where it was dropped"
import sys
from PIL import Image
page = Image.open(sys.argv[1]).convert("L")
pl, pt, pw, il, it, iw = map(int, sys.argv[2:])
px = page.load()
ink = [(x, y) for y in range(page.height) for x in range(page.width) if px[x, y] < 200]
if not ink: sys.exit("page 2 has no ink")
left, top = min(p[0] for p in ink), min(p[1] for p in ink)
width = max(p[0] for p in ink) - left + 1
mm_per_screen_px = 210.0 / pw
to_mm = 25.4 / 144
want = ((il - pl) * mm_per_screen_px, (it - pt) * mm_per_screen_px, iw * mm_per_screen_px)
got = (left * to_mm, top * to_mm, width * to_mm)
print("ink on page 2 at %.1f,%.1f mm, %.1f mm wide; dropped at %.1f,%.1f mm, %.1f mm wide" % (got + want))
tolerance = 1.5 * mm_per_screen_px + 0.5
sys.exit(0 if all(abs(g - w) <= tolerance for g, w in zip(got, want)) else 1)
PY
for page in 1 3; do
  pdftoppm -cropbox -r 72 -f $page -l $page -png "$YZ_WORK/doc-已签.pdf" "$YZ_WORK/after-$page"
  [ "$(compare -metric AE "$YZ_WORK"/before-$page*.png "$YZ_WORK"/after-$page*.png null: 2>&1)" = 0 ] ||
    yz_fail "page $page changed"
done
echo "signed page 2 as placed; pages 1 and 3 unchanged"
