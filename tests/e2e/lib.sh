# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Shared steps of the end-to-end tests: a private X display, the real program on it, and
# screenshots. Source it; every test calls yz_start_display first and gets cleaned up on exit.
set -euo pipefail

YZ_APP_DIR=$(cd "${1:?usage: $0 <app dir>}" && pwd)
YZ_PROGRAM="$YZ_APP_DIR/yanzhou-sign"
YZ_WORK=$(mktemp -d)
YZ_PIDS=()
YZ_TITLE="砚舟签名设计软件 免费版"

yz_cleanup() {
  for pid in "${YZ_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$YZ_WORK"
}
trap yz_cleanup EXIT

yz_fail() { echo "FAIL: $*" >&2; exit 1; }

# yz_expect <status> <program> <args...>: runs the program with its standard output in out.txt
# and its standard error in err.txt (in the current folder); fails unless it ends with <status>.
yz_expect() {
  local want=$1 got=0
  shift
  "$@" >out.txt 2>err.txt || got=$?
  [ "$got" -eq "$want" ] || yz_fail "status $got, not $want, for: ${*:2} ($(cat err.txt))"
}

# The screen: an argument, else YZ_SCREEN, else 1024x768x24.
yz_start_display() {
  # The server picks a free display itself and writes its number once it accepts clients.
  # -noreset: otherwise it resets whenever its last client leaves (xdotool, xdpyinfo) and
  # refuses whoever connects meanwhile, the program included.
  Xvfb -displayfd 3 -screen 0 "${1:-${YZ_SCREEN:-1024x768x24}}" -nolisten tcp -noreset 3>"$YZ_WORK/display" >"$YZ_WORK/xvfb.log" 2>&1 &
  YZ_PIDS+=($!)
  for _ in $(seq 100); do
    if [ -s "$YZ_WORK/display" ]; then
      export DISPLAY=":$(tr -d '[:space:]' <"$YZ_WORK/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
  done
  cat "$YZ_WORK/xvfb.log" >&2
  yz_fail "no X display could be started"
}

# Starts the program (extra environment as arguments: VAR=value ...) and waits for its window.
yz_start_program() {
  env "$@" QT_QPA_PLATFORM=xcb "$YZ_PROGRAM" >"$YZ_WORK/program.log" 2>&1 &
  YZ_PIDS+=($!)
  YZ_PROGRAM_PID=$!
  for _ in $(seq 150); do
    YZ_WINDOW=$(xdotool search --name "^$YZ_TITLE\$" 2>/dev/null | head -n 1 || true)
    [ -n "$YZ_WINDOW" ] && { sleep 0.5; return 0; }
    kill -0 "$YZ_PROGRAM_PID" 2>/dev/null || { cat "$YZ_WORK/program.log" >&2; yz_fail "the program exited"; }
    sleep 0.1
  done
  cat "$YZ_WORK/program.log" >&2
  yz_fail "no window titled $YZ_TITLE"
}

# Window position and size: sets YZ_X YZ_Y YZ_W YZ_H.
yz_window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$YZ_WINDOW")"
  YZ_X=$X YZ_Y=$Y YZ_W=$WIDTH YZ_H=$HEIGHT
}

yz_screenshot() { import -window root "$1"; }

# Bounding box of the ink (dark or red pixels) on the canvas in a screenshot, canvas-relative:
# prints "left top width height".
yz_ink_box() {
  local shot=$1
  yz_window_geometry
  convert "$shot" -crop "388x261+$((YZ_X + 39))+$((YZ_Y + 153))" +repage \
    -colorspace Gray -threshold 55% -negate -format '%@' info: |
    sed -E 's/([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)/\3 \4 \1 \2/'
  echo
}

# Expects the exclamation box (captioned with the application's title) and closes it.
yz_expect_message_box() {
  local what=$1
  for _ in $(seq 30); do
    [ "$(xdotool search --onlyvisible --name "^砚舟签名设计\$" 2>/dev/null | wc -l)" -ge 1 ] && break
    sleep 0.2
  done
  yz_screenshot "$YZ_WORK/$what.png"
  if [ -n "${YZ_KEEP_SHOTS:-}" ]; then cp "$YZ_WORK/$what.png" "$YZ_KEEP_SHOTS/"; fi
  [ "$(xdotool search --onlyvisible --name "^砚舟签名设计\$" 2>/dev/null | wc -l)" -ge 1 ] ||
    yz_fail "no message box when printing with $what"
  xdotool key Return
  sleep 0.5
}

# A private CUPS scheduler on a socket of its own with one cups-pdf queue, yz-pdf, not yet the
# default: the machine's queues and defaults stay untouched, and programs find it through
# CUPS_SERVER. Needs root. Sets YZ_CUPS (its folder) and YZ_PPD; yz_new_pdfs lists what cups-pdf
# wrote since, and the PDFs go again on exit.
yz_start_cups() {
  [ "$(id -u)" -eq 0 ] || yz_fail "needs root to start cupsd"
  YZ_PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  [ -f "$YZ_PPD" ] || yz_fail "printer-driver-cups-pdf is not installed ($YZ_PPD missing)"
  YZ_CUPS=$(mktemp -d /tmp/yz-cups.XXXXXX)
  touch "$YZ_CUPS/stamp"
  # cups-pdf writes into the job owner's home (Out in /etc/cups/cups-pdf.conf) or the anonymous spool.
  YZ_PDF_DIRS="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF /var/spool/cups-pdf/ANONYMOUS"
  trap yz_finish_cups EXIT
  mkdir -p "$YZ_CUPS"/{root,spool,cache,state,tmp,log}
  chmod 755 "$YZ_CUPS"
  chmod 1777 "$YZ_CUPS/tmp"  # filters run as lp and write their temporary files here
  cat >"$YZ_CUPS/root/cupsd.conf" <<CONF
Listen $YZ_CUPS/cups.sock
LogLevel info
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$YZ_CUPS/root/cups-files.conf" <<CONF
ServerRoot $YZ_CUPS/root
RequestRoot $YZ_CUPS/spool
CacheDir $YZ_CUPS/cache
StateDir $YZ_CUPS/state
TempDir $YZ_CUPS/tmp
ErrorLog $YZ_CUPS/log/error_log
AccessLog $YZ_CUPS/log/access_log
PageLog $YZ_CUPS/log/page_log
CONF
  export CUPS_SERVER=$YZ_CUPS/cups.sock
  /usr/sbin/cupsd -f -c "$YZ_CUPS/root/cupsd.conf" -s "$YZ_CUPS/root/cups-files.conf" >"$YZ_CUPS/log/cupsd.out" 2>&1 &
  YZ_PIDS+=($!)
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q 'is running' && break; sleep 0.2; done
  lpstat -r 2>/dev/null | grep -q 'is running' || { cat "$YZ_CUPS/log/cupsd.out" >&2; yz_fail "cupsd did not start"; }
  lpadmin -p yz-pdf -E -v cups-pdf:/ -P "$YZ_PPD" 2>/dev/null
  lpstat -d 2>&1 | grep -q 'no system default' || yz_fail "the private scheduler has a default queue already"
}

yz_finish_cups() {
  find $YZ_PDF_DIRS -name '*.pdf' -newer "$YZ_CUPS/stamp" -delete 2>/dev/null || true
  yz_cleanup  # ends the display, the program and the scheduler, by their ids
  rm -rf "$YZ_CUPS"
}

yz_new_pdfs() { find $YZ_PDF_DIRS -name '*.pdf' -newer "$YZ_CUPS/stamp" 2>/dev/null | sort; }

# Waits up to 30 s until cups-pdf has written `count` PDFs; prints their paths.
yz_wait_pdfs() {
  local count=$1 pdfs=""
  for _ in $(seq 150); do
    pdfs=$(yz_new_pdfs)
    [ "$(echo "$pdfs" | grep -c .)" -ge "$count" ] && break
    sleep 0.2
  done
  sleep 1  # cups-pdf renames the finished file into place; let the last one settle
  yz_new_pdfs
}

# Waits for a visible window whose title matches the pattern and prints its id (the first of
# several); fails with a screenshot when none comes within 15 s.
yz_wait_window() {
  for _ in $(seq 150); do
    local id
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && { sleep 0.5; echo "$id"; return 0; }
    sleep 0.1
  done
  yz_screenshot "$YZ_WORK/missing.png"
  if [ -n "${YZ_KEEP_SHOTS:-}" ]; then cp "$YZ_WORK/missing.png" "$YZ_KEEP_SHOTS/"; fi
  yz_fail "no window titled $1"
}

# yz_write_pdf <path> <content>...: a PDF of A4 pages, one per content stream given (PDF
# operators; /F1 is Helvetica), with a correct cross-reference table.
yz_write_pdf() {
  /usr/bin/python3 - "$@" <<'PY'
import sys
path, pages = sys.argv[1], sys.argv[2:]
objects = ["<< /Type /Catalog /Pages 2 0 R >>",
           "<< /Type /Pages /Kids [%s] /Count %d >>" % (" ".join("%d 0 R" % (4 + 2 * i) for i in range(len(pages))), len(pages)),
           "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>"]
for i, content in enumerate(pages):
    objects.append("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Resources << /Font << /F1 3 0 R >> >> /Contents %d 0 R >>" % (5 + 2 * i))
    objects.append("<< /Length %d >>\nstream\n%s\nendstream" % (len(content), content))
out = b"%PDF-1.4\n"
offsets = []
for n, body in enumerate(objects, 1):
    offsets.append(len(out))
    out += b"%d 0 obj\n%s\nendobj\n" % (n, body.encode())
xref = len(out)
out += b"xref\n0 %d\n0000000000 65535 f \n" % (len(objects) + 1)
out += b"".join(b"%010d 00000 n \n" % o for o in offsets)
out += b"trailer\n<< /Size %d /Root 1 0 R >>\nstartxref\n%d\n%%%%EOF\n" % (len(objects) + 1, xref)
open(path, "wb").write(out)
PY
}
