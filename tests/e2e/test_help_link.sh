#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The 使用必读 button opens the help page once, through the desktop's URL opener.
source "$(dirname "$0")/lib.sh"
yz_start_display
mkdir -p "$YZ_WORK/bin"
cat >"$YZ_WORK/bin/xdg-open" <<OPEN
#!/bin/sh
echo "\$*" >>"$YZ_WORK/opened.txt"
OPEN
chmod +x "$YZ_WORK/bin/xdg-open"
yz_start_program PATH="$YZ_WORK/bin:$PATH"
yz_window_geometry
# imgHelp covers x 584..665, y 312..375 of the client area.
sleep 1  # let the first drawing finish before clicking
xdotool mousemove "$((YZ_X + 624))" "$((YZ_Y + 343))" click 1
for _ in $(seq 100); do [ -s "$YZ_WORK/opened.txt" ] && break; sleep 0.1; done
sleep 1
[ -s "$YZ_WORK/opened.txt" ] || yz_fail "no browser was started"
cat "$YZ_WORK/opened.txt"
[ "$(grep -c '/qmrj.asp$' "$YZ_WORK/opened.txt")" -eq 1 ] || yz_fail "help page not requested exactly once"
[ "$(wc -l <"$YZ_WORK/opened.txt")" -eq 1 ] || yz_fail "more than one page opened"
