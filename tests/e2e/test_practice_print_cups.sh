#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# 打印练字帖 (Ctrl+Shift+P) on a real queue of this test's own: with no default queue the same
# message box as 打印签名 and nothing printed; on a working default queue one job of one page on
# the queue's own page size, the frames and the signature as shapes, with no font in it.
source "$(dirname "$0")/lib.sh"
yz_start_cups
yz_start_display
mkdir -p "$YZ_WORK/home"  # no per-user default printer of the machine applies
yz_start_program HOME="$YZ_WORK/home"

print_sheet() {
  yz_window_geometry
  xdotool mousemove "$((YZ_X + 140))" "$((YZ_Y + 118))" click 1  # the name box takes the focus
  xdotool key ctrl+shift+p
}

print_sheet
yz_expect_message_box "no default queue"
sleep 2
[ -z "$(yz_new_pdfs)" ] || yz_fail "a print without a default queue made a PDF: $(yz_new_pdfs)"

lpadmin -d yz-pdf
print_sheet
pdfs=$(yz_wait_pdfs 1)
[ "$(echo "$pdfs" | grep -c .)" -eq 1 ] ||
  { tail -20 "$YZ_CUPS/log/error_log" >&2; yz_fail "expected 1 PDF, got: ${pdfs:-none}"; }
[ "$(lpstat -W completed -o yz-pdf | grep -c .)" -eq 1 ] || yz_fail "not one job: $(lpstat -W completed -o)"
[ "$(xdotool search --onlyvisible --name "^砚舟签名设计\$" 2>/dev/null | wc -l)" -eq 0 ] ||
  yz_fail "a message box appeared although the queue works"

pdfinfo "$pdfs" | grep -Eq '^Pages: +1$' || yz_fail "not one page: $(pdfinfo "$pdfs" | grep Pages)"
# The queue's default paper, in points, against the printed page's size.
page_size=$(sed -n 's/^\*DefaultPageSize: *//p' "$YZ_PPD" | tr -d '\r')
paper=$(awk -v size="$page_size" '$1 == "*PaperDimension" && $2 ~ "^" size "[/:]" {
  gsub(/"/, ""); printf "%d x %d\n", $3 + 0.5, $4 + 0.5 }' FS='[ :]+' "$YZ_PPD")
printed=$(pdfinfo "$pdfs" | awk '/^Page size:/ { printf "%d x %d\n", $3 + 0.5, $5 + 0.5 }')
[ "$printed" = "$paper" ] || yz_fail "printed on $printed pt, the queue's $page_size is $paper pt"
[ "$(pdffonts "$pdfs" | tail -n +3 | grep -c .)" -eq 0 ] || yz_fail "the printed sheet holds fonts"
# Black ink (the model) and the red frames are on the page.
pdftoppm -r 50 -png -singlefile "$pdfs" "$YZ_WORK/sheet"
black=$(convert "$YZ_WORK/sheet.png" -fx '(u.r<0.2 && u.g<0.2 && u.b<0.2) ? 1 : 0' -format '%[fx:mean*w*h]' info:)
red=$(convert "$YZ_WORK/sheet.png" -fx '(u.r>0.9 && u.g<0.75 && u.b<0.75) ? 1 : 0' -format '%[fx:mean*w*h]' info:)
awk -v b="$black" -v r="$red" 'BEGIN { printf "black %d px, frame red %d px\n", b, r; exit !(b > 200 && r > 500) }' ||
  yz_fail "the printed page lacks the model or the frames"
echo "PASS"
