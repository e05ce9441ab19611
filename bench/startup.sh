#!/usr/bin/env bash
# Start-up figure: milliseconds from starting the program to its window being shown with the
# first signature drawn (the load event draws before the window is shown), and the resident
# memory then. Runs the program on a private Xvfb display, five times.
#   bench/startup.sh build/app
set -euo pipefail
app=${1:-build/app}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
for run in 1 2 3 4 5; do
  start=$(date +%s%N)
  QT_QPA_PLATFORM=xcb "$app/yanzhou-sign" >/dev/null 2>&1 &
  pid=$!
  xdotool search --sync --onlyvisible --name '^砚舟签名设计软件 免费版$' >/dev/null
  shown=$(date +%s%N)
  sleep 0.5
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  echo "run $run: window with the first signature after $(((shown - start) / 1000000)) ms, resident $((rss / 1024)) MB"
  kill $pid; wait $pid 2>/dev/null || true
done
