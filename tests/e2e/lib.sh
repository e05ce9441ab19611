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
