#!/usr/bin/env bash
# Printing on a real queue: cupsd with a cups-pdf printer as the default. A click on 打印签名
# must give a one-page PDF holding the canvas picture, 4.04 × 2.72 inches at the top-left of the
# printable area. Without a default queue the click must explain that no printer is set up.
source "$(dirname "$0")/lib.sh"
[ "$(id -u)" -eq 0 ] || yz_fail "needs root to start cupsd"

# The system's own scheduler, started and stopped by this test (CI starts no services).
started_cupsd=""
if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  /usr/sbin/cupsd
  started_cupsd=yes
fi
for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
lpstat -r 2>/dev/null | grep -q 'is running' || yz_fail "cupsd did not start"
old_default=$(lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
out_dirs="$HOME/PDF /var/spool/cups-pdf/ANONYMOUS /root/PDF"
stamp=$YZ_WORK/stamp
touch "$stamp"
finish() {
  lpadmin -x yz-pdf 2>/dev/null || true
  [ -n "$old_default" ] && lpadmin -d "$old_default" 2>/dev/null || true
  [ -n "$started_cupsd" ] && pkill -x cupsd 2>/dev/null || true
  yz_cleanup
}
trap finish EXIT
lpadmin -x yz-pdf 2>/dev/null || true

yz_start_display

# 1. No printer at all: a scheduler address where nothing listens (leaves the machine's queues alone).
yz_start_program CUPS_SERVER=127.0.0.1:9
yz_window_geometry
xdotool mousemove "$((YZ_X + 616))" "$((YZ_Y + 282))" click 1
sleep 1.5
yz_screenshot "$YZ_WORK/no-printer.png"
[ "$(xdotool search --name "^砚舟签名设计\$" 2>/dev/null | wc -l)" -ge 1 ] ||
  yz_fail "no message box after printing without a printer"
xdotool key Return
sleep 0.5
kill "$YZ_PROGRAM_PID"; wait "$YZ_PROGRAM_PID" 2>/dev/null || true

# 2. A cups-pdf queue as the default.
lpadmin -p yz-pdf -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
lpadmin -d yz-pdf
yz_start_program
yz_window_geometry
xdotool mousemove "$((YZ_X + 616))" "$((YZ_Y + 282))" click 1
pdf=""
for _ in $(seq 150); do
  pdf=$(find $out_dirs -name '*.pdf' -newer "$stamp" -size +1k 2>/dev/null | head -n 1)
  [ -n "$pdf" ] && break
  sleep 0.2
done
[ -n "$pdf" ] || { tail -20 /var/log/cups/error_log >&2; yz_fail "no PDF was printed"; }
sleep 1
pages=$(pdfinfo "$pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" -eq 1 ] || yz_fail "$pages pages instead of 1"
images=$(pdfimages -list "$pdf" | tail -n +3 | wc -l)
[ "$images" -ge 1 ] || yz_fail "no picture in the PDF"
# Its size from the PDF itself: pixels over pixels per inch.
read -r iw ih xppi yppi < <(pdfimages -list "$pdf" | awk 'NR == 3 {print $4, $5, $13, $14}')
echo "image ${iw}x$ih at ${xppi}x$yppi ppi"
awk -v a="$iw" -v b="$xppi" -v c="$ih" -v d="$yppi" 'BEGIN { w = a / b; h = c / d;
  printf "printed size %.3f x %.3f in\n", w, h; exit !(w > 4.02 && w < 4.06 && h > 2.70 && h < 2.74) }' ||
  yz_fail "printed size is not 4.04 x 2.72 inches"
# Where the picture lands: render the page and measure the non-white box, in inches.
pdftoppm -r 100 -png -singlefile "$pdf" "$YZ_WORK/page"
box=$(convert "$YZ_WORK/page.png" -fuzz 3% -trim -format '%w %h %X %Y' info:)
read -r w h ox oy <<<"$box"
echo "printed picture: ${w}x$h px at 100 dpi, offset $ox,$oy"
awk -v w="$w" -v h="$h" 'BEGIN { exit !((w/100 > 4.04 - 0.03) && (w/100 < 4.04 + 0.03) && (h/100 > 2.72 - 0.03) && (h/100 < 2.72 + 0.03)) }' ||
  yz_fail "picture is $(awk -v w="$w" 'BEGIN{print w/100}') x $(awk -v h="$h" 'BEGIN{print h/100}') inches"
# Top-left of the printable area: within the page's usual margins (under an inch).
[ "${ox#+}" -lt 100 ] && [ "${oy#+}" -lt 100 ] || yz_fail "picture not at the top-left ($ox,$oy)"
rm -f "$pdf"
