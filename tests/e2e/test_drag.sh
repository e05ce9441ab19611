#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Dragging the real signature 20 pixels to the right moves its ink 20 pixels.
source "$(dirname "$0")/lib.sh"
yz_start_display
yz_start_program
yz_window_geometry
yz_screenshot "$YZ_WORK/before.png"
read -r left top width height < <(yz_ink_box "$YZ_WORK/before.png")
[ "$width" -gt 20 ] || yz_fail "no signature to drag"
grab_x=$((YZ_X + 39 + left + width / 2))
grab_y=$((YZ_Y + 153 + top + height / 2))
xdotool mousemove "$grab_x" "$grab_y"
sleep 0.2
xdotool mousedown 1
for step in 4 8 12 16 20; do
  xdotool mousemove "$((grab_x + step))" "$grab_y"
  sleep 0.05
done
xdotool mouseup 1
sleep 0.5
yz_screenshot "$YZ_WORK/after.png"
read -r left2 top2 width2 height2 < <(yz_ink_box "$YZ_WORK/after.png")
shift_x=$((left2 - left))
shift_y=$((top2 - top))
echo "ink moved by $shift_x,$shift_y"
[ "$shift_x" -ge 19 ] && [ "$shift_x" -le 21 ] && [ "${shift_y#-}" -le 1 ] ||
  yz_fail "ink moved by $shift_x,$shift_y instead of 20,0"
