#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# At a device pixel ratio of 2 the window is twice its size in device pixels and its skin is the
# 2x artwork shown pixel for pixel, not the 1x picture stretched.
source "$(dirname "$0")/lib.sh"
SKIN_2X="$(cd "$(dirname "$0")/../.." && pwd)/resources/skin@2x.png"
YZ_SCREEN=1600x1000x24 yz_start_display
yz_start_program QT_SCALE_FACTOR=2
yz_window_geometry
[ "$YZ_W" -eq 1438 ] && [ "$YZ_H" -eq 918 ] || yz_fail "client area is ${YZ_W}x$YZ_H, not 1438x918"
yz_screenshot "$YZ_WORK/window.png"
# Painted places no control covers with a face of its own: the logo banner and the buttons' tray.
for region in 794x114+68+72 356x262+976+504; do
  IFS='x+' read -r w h x y <<<"$region"
  convert "$YZ_WORK/window.png" -crop "${w}x$h+$((YZ_X + x))+$((YZ_Y + y))" +repage "$YZ_WORK/shown.png"
  convert "$SKIN_2X" -crop "$region" +repage "$YZ_WORK/art.png"
  differing=$(compare -metric AE -fuzz 3% "$YZ_WORK/shown.png" "$YZ_WORK/art.png" null: 2>&1 || true)
  [ "$differing" = 0 ] || yz_fail "the skin at $region is not the 2x artwork ($differing pixels differ)"
done
echo "window ${YZ_W}x$YZ_H device pixels, skin shown as its 2x artwork"
