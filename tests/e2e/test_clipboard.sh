#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Ctrl+C puts the 388 x 261 canvas picture on the X clipboard as PNG unless a name box has text
# selected, which Ctrl+C then copies as text; the menu's transparent copy is a PNG with alpha.
source "$(dirname "$0")/lib.sh"
yz_start_display
yz_start_program
yz_window_geometry
targets() { xclip -selection clipboard -t TARGETS -o 2>/dev/null; }
png_of_clipboard() { xclip -selection clipboard -t image/png -o >"$1"; }

# The name box holds the focus with nothing selected.
xdotool mousemove "$((YZ_X + 140))" "$((YZ_Y + 118))" click 1
xdotool key ctrl+c
sleep 0.5
targets | grep -qx 'image/png' || yz_fail "no image/png after Ctrl+C: $(targets | tr '\n' ' ')"
png_of_clipboard "$YZ_WORK/copy.png"
[ "$(identify -format '%wx%h %[channels]' "$YZ_WORK/copy.png")" = "388x261 srgb" ] ||
  yz_fail "copied $(identify -format '%wx%h %[channels]' "$YZ_WORK/copy.png")"

xdotool key ctrl+a ctrl+c
sleep 0.5
[ "$(xclip -selection clipboard -o)" = "纪元朗" ] || yz_fail "the selected name was not copied as text"

# The menu over the canvas: 全部款式预览, a separator, 复制图片, 复制透明图片.
xdotool mousemove "$((YZ_X + 39 + 30))" "$((YZ_Y + 153 + 230))" click 3
sleep 0.5
xdotool key Down Down Down Return
sleep 0.5
png_of_clipboard "$YZ_WORK/transparent.png"
[ "$(identify -format '%wx%h %[channels]' "$YZ_WORK/transparent.png")" = "388x261 srgba" ] ||
  yz_fail "transparent copy is $(identify -format '%wx%h %[channels]' "$YZ_WORK/transparent.png")"
[ "$(convert "$YZ_WORK/transparent.png" -format '%[fx:p{0,0}.a]' info:)" = 0 ] ||
  yz_fail "the transparent copy's ground is not transparent"
echo "clipboard: picture, selected text and transparent picture copied"
