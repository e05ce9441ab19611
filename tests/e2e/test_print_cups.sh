#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Printing on a real queue: a scheduler of this test's own with a cups-pdf printer. Clicks on
# 打印签名 must give one one-page PDF each, holding the canvas picture at 4.04 × 2.72 inches at
# the top-left of the printable area. With no default queue, a queue that takes no jobs or a paused
# one, the click must show a message and print nothing.
source "$(dirname "$0")/lib.sh"
yz_start_cups
yz_start_display
# The program's own home, so that no per-user default printer of the machine applies.
mkdir -p "$YZ_WORK/home"

click_print() {
  yz_window_geometry
  xdotool mousemove "$((YZ_X + 616))" "$((YZ_Y + 282))" click 1
}

yz_start_program HOME="$YZ_WORK/home"

# 1. A queue exists but none is the default.
click_print
yz_expect_message_box "no default queue"

# 2. The default queue takes no jobs.
lpadmin -d yz-pdf
cupsreject yz-pdf
click_print
yz_expect_message_box "a queue that takes no jobs"
sleep 2
[ -z "$(yz_new_pdfs)" ] || yz_fail "a refused print still made a PDF: $(yz_new_pdfs)"

# 3. The default queue is paused: nothing is sent, so nothing prints once it is resumed.
cupsaccept yz-pdf
cupsdisable yz-pdf
click_print
yz_expect_message_box "a paused queue"
cupsenable yz-pdf
sleep 2
[ -z "$(yz_new_pdfs)" ] || yz_fail "a print on a paused queue came out later: $(yz_new_pdfs)"

# 4. Two clicks on a working default queue: two separate one-page documents.
click_print
sleep 1
click_print
pdfs=$(yz_wait_pdfs 2)
[ "$(echo "$pdfs" | grep -c .)" -eq 2 ] ||
  { tail -20 "$YZ_CUPS/log/error_log" >&2; yz_fail "expected 2 PDFs, got: ${pdfs:-none}"; }
[ "$(xdotool search --onlyvisible --name "^砚舟签名设计\$" 2>/dev/null | wc -l)" -eq 0 ] ||
  yz_fail "a message box appeared although the queue works"

# Where the printable area starts on the page, in inches from the top-left, from the driver's
# ImageableArea (points from the bottom-left) for the page size it prints.
page_size=$(sed -n 's/^\*DefaultPageSize: *//p' "$YZ_PPD" | tr -d '\r')
read -r area_x area_y < <(awk -v size="$page_size" '
  $1 == "*PaperDimension" && $2 ~ "^" size "[/:]" { gsub(/"/, ""); height = $4 }
  $1 == "*ImageableArea" && $2 ~ "^" size "[/:]" { gsub(/"/, ""); llx = $3; ury = $6 }
  END { printf "%.4f %.4f\n", llx / 72, (height - ury) / 72 }' FS='[ :]+' "$YZ_PPD")
echo "printable area of $page_size starts at $area_x, $area_y in"

while read -r pdf; do
  pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
  [ "$pages" -eq 1 ] || yz_fail "$pdf has $pages pages instead of 1"
  [ "$(pdfimages -list "$pdf" | tail -n +3 | wc -l)" -eq 1 ] || yz_fail "$pdf holds not exactly one picture"
  # Its printed size from the PDF itself: pixels over pixels per inch.
  read -r iw ih xppi yppi < <(pdfimages -list "$pdf" | awk 'NR == 3 {print $4, $5, $13, $14}')
  awk -v a="$iw" -v b="$xppi" -v c="$ih" -v d="$yppi" 'BEGIN { w = a / b; h = c / d;
    printf "image %dx%d at %dx%d ppi: %.3f x %.3f in\n", a, c, b, d, w, h
    exit !(w > 4.02 && w < 4.06 && h > 2.70 && h < 2.74) }' ||
    yz_fail "printed size is not 4.04 x 2.72 inches"
  # Where it lands: render at 100 dpi inside a white border and measure the box that is not white.
  pdftoppm -r 100 -png -singlefile "$pdf" "$YZ_WORK/page"
  read -r w h ox oy < <(convert "$YZ_WORK/page.png" -bordercolor white -border 20 -fuzz 3% -trim \
    -format '%w %h %X %Y\n' info: | tr -d '+')
  awk -v w="$w" -v h="$h" -v x="$ox" -v y="$oy" -v ax="$area_x" -v ay="$area_y" 'BEGIN {
    w /= 100; h /= 100; x = (x - 20) / 100; y = (y - 20) / 100
    printf "on the page: %.2f x %.2f in at %.2f, %.2f in\n", w, h, x, y
    ok = w > 4.02 && w < 4.06 && h > 2.70 && h < 2.74
    ok = ok && x - ax > -0.02 && x - ax < 0.02 && y - ay > -0.02 && y - ay < 0.02
    exit !ok }' || yz_fail "the picture is not 4.04 x 2.72 in at the printable area's top-left"
done <<<"$pdfs"
echo "PASS"
