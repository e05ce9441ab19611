#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Start-up figure: milliseconds from starting the program to its window being shown with the
# first signature drawn (the load event draws before the window is shown), and the resident
# memory then. Runs the program on a private Xvfb display, eleven times, and prints the median.
#   bench/startup.sh build/app
# The window is looked for every 10 ms (xdotool's own --sync waits half a second between looks,
# which would swamp the figure); the resolution is therefore about 10 ms.
set -euo pipefail
app=${1:-build/app}
runs=${YZ_STARTUP_RUNS:-11}
work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.05; done
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"
title='^砚舟签名设计软件 免费版$'
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  QT_QPA_PLATFORM=xcb "$app/yanzhou-sign" >"$work/log" 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name "$title" >/dev/null 2>&1; do
    if ! kill -0 $pid 2>/dev/null; then
      echo "run $run: the program ended before showing its window:" >&2
      cat "$work/log" >&2
      exit 1
    fi
    sleep 0.01
  done
  shown=$(date +%s%N)
  sleep 0.5
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
  ms=$(((shown - start) / 1000000))
  echo "$ms" >>"$work/times"
  echo "run $run: window with the first signature after $ms ms, resident $((rss / 1024)) MB"
  kill $pid
  wait $pid 2>/dev/null || true
done
echo "median: $(sort -n "$work/times" | awk '{t[NR] = $1} END {print t[int((NR + 1) / 2)]}') ms"
