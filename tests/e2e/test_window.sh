#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The real window opens with its title, a 719 × 459 client area and a drawn signature.
source "$(dirname "$0")/lib.sh"
yz_start_display
yz_start_program
# The title a window manager shows is _NET_WM_NAME; it must be the caption alone.
net_title=$(xprop -id "$YZ_WINDOW" _NET_WM_NAME | sed -E 's/^[^"]*"(.*)"$/\1/')
[ "$net_title" = "$YZ_TITLE" ] || yz_fail "window manager title is \"$net_title\""
yz_window_geometry
[ "$YZ_W" -eq 719 ] && [ "$YZ_H" -eq 459 ] || yz_fail "client area is ${YZ_W}x$YZ_H, not 719x459"
yz_screenshot "$YZ_WORK/window.png"
read -r left top width height < <(yz_ink_box "$YZ_WORK/window.png")
[ "$width" -gt 20 ] && [ "$height" -gt 10 ] || yz_fail "no signature on the canvas ($width x $height)"
echo "window ${YZ_W}x$YZ_H, signature ink ${width}x$height at $left,$top"
