#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The signing window in the real program, by keyboard as far as it goes: Page Down with a
# drop-down focused turns the page; a page list typed wrong shows its error and no stamps; the
# signature moved by the arrow keys alone lands where they put it; Esc over unsaved stamps asks
# and 取消 keeps them; a landscape page keeps its stamps inside. Then the choices survive a
# restart, the main window starts as before, and a broken settings file stops nothing.
source "$(dirname "$0")/lib.sh"
export XDG_CONFIG_HOME="$YZ_WORK/config"  # the test's own settings, never a user's
yz_start_display 1280x800x24
yz_start_program
yz_window_geometry
main_box="${YZ_W}x$YZ_H+$YZ_X+$YZ_Y"
yz_screenshot "$YZ_WORK/main-first.png"

# Three pages with no text of their own: A4 upright, A4 across, A4 upright.
/usr/bin/python3 - "$YZ_WORK/doc.pdf" <<'PY'
import sys
boxes = ["0 0 595 842", "0 0 842 595", "0 0 595 842"]
objects = ["<< /Type /Catalog /Pages 2 0 R >>",
           "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % (3 + i) for i in range(3)), 3)]
for box in boxes:
    objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [%s] /Resources << >> >>" % box)
out = b"%PDF-1.4\n"
offsets = []
for n, body in enumerate(objects, 1):
    offsets.append(len(out))
    out += b"%d 0 obj\n%s\nendobj\n" % (n, body.encode())
xref = len(out)
out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
open(sys.argv[1], "wb").write(out)
PY

open_signing() {
  xdotool windowfocus --sync "$YZ_WINDOW"
  xdotool key ctrl+shift+s
  yz_wait_window '^签署 PDF 文档$' >/dev/null
  xdotool type --delay 20 "$YZ_WORK/doc.pdf"
  xdotool key Return
  signing=$(yz_wait_window '^签署 PDF 文档 - doc.pdf')
  xdotool windowfocus --sync "$signing"
  sleep 0.5
}
keys() { for key in "$@"; do xdotool key "$key"; sleep 0.08; done; sleep 0.4; }

# The page view in a screenshot: the page (white inside the #808080 desk), the ink on it (dark),
# and the seal's red and the list error's red: "page_l page_t page_w page_h ink_l ink_t ink_w
# ink_h red_on_page red_right_of_page", the ink "- - - -" when the page is bare.
measure() {
  /usr/bin/python3 - "$1" <<'PY'
import sys
from PIL import Image
shot = Image.open(sys.argv[1]).convert("RGB")
w, h = shot.size
px = shot.load()
desk = lambda x, y: px[x, y] == (128, 128, 128)
columns = [x for x in range(w) if sum(desk(x, y) for y in range(0, h, 4)) > h // 16]
rows = [y for y in range(h) if sum(desk(x, y) for x in range(0, w, 4)) > w // 32]
if not columns or not rows: sys.exit("no page view")
dl, dr, dt, db = columns[0], columns[-1], rows[0], rows[-1]
white = [(x, y) for y in range(dt, db, 2) for x in range(dl, dr, 2) if px[x, y] == (255, 255, 255)]
pl, pt = min(p[0] for p in white), min(p[1] for p in white)
pr, pb = max(p[0] for p in white), max(p[1] for p in white)
ink = [(x, y) for y in range(pt, pb + 1) for x in range(pl, pr + 1) if sum(px[x, y]) / 3 < 200]
red = lambda x, y: px[x, y][0] > 150 and px[x, y][1] < 90 and px[x, y][2] < 90
red_page = sum(red(x, y) for y in range(pt, pb + 1) for x in range(pl, pr + 1))
red_side = sum(red(x, y) for y in range(0, h) for x in range(dr + 1, w))
box = "- - - -"
if ink:
    il, it = min(p[0] for p in ink), min(p[1] for p in ink)
    box = "%d %d %d %d" % (il, it, max(p[0] for p in ink) - il + 1, max(p[1] for p in ink) - it + 1)
print(pl, pt, pr - pl + 1, pb - pt + 1, box, red_page, red_side)
PY
}
shot() { yz_screenshot "$YZ_WORK/$1.png"; [ -z "${YZ_KEEP_SHOTS:-}" ] || cp "$YZ_WORK/$1.png" "$YZ_KEEP_SHOTS/"; measure "$YZ_WORK/$1.png"; }

open_signing
read -r pl pt pw ph il it iw ih red_page red_side < <(shot opened)
[ "$iw" != - ] || yz_fail "no signature on page 1"
echo "page 1 ${pw}x$ph; signature ${iw}x$ih at $il,$it"

# From the page, Tab reaches the signature, then 签名, 印章, its style, the ink blend and the
# page choice. Down picks 全部页 there; Page Down then turns the page and leaves the choice.
keys Tab Tab Tab Tab Tab Tab Down Next
read -r pl pt pw ph il it iw ih red_page red_side < <(shot page2)
[ "$pw" -gt "$ph" ] || yz_fail "Page Down in the drop-down did not turn to the landscape page 2 (${pw}x$ph)"
[ "$iw" != - ] || yz_fail "全部页 was changed by Page Down: no signature on page 2"

# 指定页码 (two more steps down past 奇数页, 偶数页), then a list reaching beyond the end.
keys Down Down Down Tab
xdotool type --delay 60 "2,40-50"
sleep 1.5
read -r pl pt pw ph il it iw ih red_page red_side < <(shot bad-list)
[ "$red_side" -gt 30 ] || yz_fail "no error shown beside the page for the list 2,40-50"
[ "$iw" = - ] || yz_fail "stamps shown while the list is wrong"
keys ctrl+a
xdotool type --delay 60 "1-3"
sleep 1

# Back on page 1 from the page itself: the arrows alone move the signature 5 mm right, 20 mm down.
xdotool mousemove $((pl - 6)) $((pt + 40)) click 1
keys Home
read -r pl pt pw ph il0 it0 iw0 ih0 red_page red_side < <(shot before-keys)
[ "$pw" -lt "$ph" ] || yz_fail "Home did not go to page 1"
keys Tab Right Right Right Right Right shift+Down shift+Down
xdotool mousemove $((pl - 6)) $((pt + 40)) click 1  # the desk: the selection's frame goes
sleep 0.4
read -r pl pt pw ph il it iw ih red_page red_side < <(shot after-keys)
/usr/bin/python3 - "$pw" "$il0" "$it0" "$il" "$it" <<'PY' || yz_fail "the arrows did not move the signature 5 mm and 20 mm"
import sys
pw, l0, t0, l1, t1 = map(int, sys.argv[1:])
per_mm = pw / 210.0
dx, dy = (l1 - l0) / per_mm, (t1 - t0) / per_mm
print("moved by keys %.1f mm across, %.1f mm down" % (dx, dy))
sys.exit(0 if abs(dx - 5) <= 1.5 / per_mm + 0.3 and abs(dy - 20) <= 1.5 / per_mm + 0.3 else 1)
PY

# Esc with the move unsaved: the question comes; its 取消 (Esc) keeps the window and the stamps.
keys Escape
question=$(yz_wait_window '^砚舟签名设计$')
yz_screenshot "$YZ_WORK/question.png"
[ -z "${YZ_KEEP_SHOTS:-}" ] || cp "$YZ_WORK/question.png" "$YZ_KEEP_SHOTS/"
xdotool windowfocus --sync "$question" key Escape
sleep 0.6
xdotool search --onlyvisible --name '^签署 PDF 文档 - doc.pdf' >/dev/null || yz_fail "取消 closed the signing window"
xdotool windowfocus --sync "$signing"
read -r _ _ _ _ il2 it2 _ _ _ _ < <(shot after-cancel)
[ "$il2 $it2" = "$il $it" ] || yz_fail "取消 did not keep the signature where it was ($il2,$it2 against $il,$it)"

# Saved: the signature on page 1 where the keys put it; on the landscape page whole and inside.
xdotool key ctrl+s
yz_wait_window '^保存签署后的文档$' >/dev/null
xdotool key Return
for _ in $(seq 100); do [ -s "$YZ_WORK/doc-已签.pdf" ] && break; sleep 0.1; done
[ -s "$YZ_WORK/doc-已签.pdf" ] || yz_fail "nothing saved as doc-已签.pdf"
yz_expect_message_box saved
pdftoppm -cropbox -r 144 -png "$YZ_WORK/doc-已签.pdf" "$YZ_WORK/signed"
/usr/bin/python3 - "$YZ_WORK"/signed-1.png "$YZ_WORK"/signed-2.png "$YZ_WORK"/signed-3.png "$pl" "$pt" "$pw" "$il" "$it" "$iw" <<'PY' || yz_fail "the saved pages do not carry the signature as placed"
import sys
from PIL import Image
def ink(path):
    page = Image.open(path).convert("L")
    px = page.load()
    dots = [(x, y) for y in range(page.height) for x in range(page.width) if px[x, y] < 200]
    if not dots: return None, page.size
    l, t = min(p[0] for p in dots), min(p[1] for p in dots)
    return (l, t, max(p[0] for p in dots) - l + 1, max(p[1] for p in dots) - t + 1), page.size
to_mm = 25.4 / 144
pl, pt, pw, il, it, iw = map(int, sys.argv[4:])
per_mm = pw / 210.0
first, _ = ink(sys.argv[1])
if not first: sys.exit("page 1 has no ink")
want = ((il - pl) / per_mm, (it - pt) / per_mm)
got = (first[0] * to_mm, first[1] * to_mm)
print("page 1: ink at %.1f,%.1f mm; placed by keys at %.1f,%.1f mm" % (got + want))
if any(abs(g - w) > 1.5 / per_mm + 0.5 for g, w in zip(got, want)): sys.exit(1)
across, size = ink(sys.argv[2])
if not across or size[0] <= size[1]: sys.exit("page 2 is not landscape with ink")
l, t, w, h = across
print("page 2 (%dx%d): ink %dx%d at %d,%d" % (size + (w, h, l, t)))
if abs(w - first[2]) > 3 or abs(h - first[3]) > 3: sys.exit("the stamp is cut on the landscape page")
if l <= 0 or t <= 0 or l + w >= size[0] or t + h >= size[1]: sys.exit("the stamp touches page 2's edge")
if not ink(sys.argv[3])[0]: sys.exit("page 3 has no ink")
PY

# The seal turned on by the keyboard (from the page: the signature, 签名, 印章, Space) is
# remembered at once; the program then ends without a word (as a session's end would).
xdotool mousemove $((pl - 6)) $((pt + 40)) click 1
keys Tab Tab Tab space
read -r _ _ _ _ _ _ _ _ red_page _ < <(shot seal-on)
[ "$red_page" -gt 50 ] || yz_fail "印章 did not put the seal on the page"
kill "$YZ_PROGRAM_PID"; wait "$YZ_PROGRAM_PID" 2>/dev/null || true
grep -q '^seal=true' "$XDG_CONFIG_HOME/yanzhou-sign/yanzhou-sign.conf" || yz_fail "the seal choice was not written"

# Started again: the main window exactly as the first time; the signing window with the seal.
yz_start_program
yz_screenshot "$YZ_WORK/main-again.png"
for run in first again; do convert "$YZ_WORK/main-$run.png" -crop "$main_box" +repage "$YZ_WORK/window-$run.png"; done
differ=$(compare -metric AE -fuzz 10% "$YZ_WORK/window-first.png" "$YZ_WORK/window-again.png" null: 2>&1 || true)
[ "${differ%% *}" -lt 60 ] || yz_fail "the main window starts differently after a restart ($differ pixels)"
open_signing
read -r _ _ _ _ _ _ _ _ red_page _ < <(shot restarted)
[ "$red_page" -gt 50 ] || yz_fail "the seal choice did not survive the restart"
kill "$YZ_PROGRAM_PID"; wait "$YZ_PROGRAM_PID" 2>/dev/null || true

# A settings file of garbage: the program starts and signs as on a fresh machine.
head -c 3000 /dev/urandom >"$XDG_CONFIG_HOME/yanzhou-sign/yanzhou-sign.conf"
yz_start_program
open_signing
read -r _ _ _ _ il _ _ _ red_page _ < <(shot broken-settings)
[ "$il" != - ] || yz_fail "no signature with a broken settings file"
echo "the signing window by keyboard, its question, its pages and its memory: as expected"
