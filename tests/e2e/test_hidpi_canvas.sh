#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# At twice the screen scale the canvas shows the signature drawn at twice the size, pixel for
# pixel what the renderer draws with --scale 2, and not the 1x picture stretched: along the
# strokes it has far fewer in-between greys than the stretched picture.
source "$(dirname "$0")/lib.sh"
yz_start_display 1600x1000x24
yz_start_program QT_SCALE_FACTOR=2
yz_window_geometry
[ "$YZ_W" -eq 1438 ] && [ "$YZ_H" -eq 918 ] || yz_fail "window is ${YZ_W}x${YZ_H} device pixels, not 1438x918"
yz_screenshot "$YZ_WORK/shot.png"
convert "$YZ_WORK/shot.png" -crop "776x522+$((YZ_X + 78))+$((YZ_Y + 306))" +repage "$YZ_WORK/canvas.png"

render() { QT_QPA_PLATFORM=offscreen "$YZ_APP_DIR/yanzhou-sign-render" "$@" >/dev/null; }
render --scale 2 --out "$YZ_WORK/sharp.png"
render --out "$YZ_WORK/plain.png"
convert "$YZ_WORK/plain.png" -filter Triangle -resize 200% "$YZ_WORK/stretched.png"

differing=$(compare -metric AE "$YZ_WORK/canvas.png" "$YZ_WORK/sharp.png" null: 2>&1 || true)
echo "canvas against the renderer at scale 2: $differing pixels differ"
[ "$differing" = 0 ] || yz_fail "the 2x canvas is not the signature drawn at scale 2"

# In-between greys per dark pixel: the ink's edge against its body.
edge_share() {
  convert "$1" -colorspace Gray -format '%c' histogram:info:- |
    awk '{ v = $2; gsub(/[(),]/, " ", v); split(v, g, " "); n = $1 + 0
           if (g[1] < 60) dark += n; else if (g[1] < 180) mid += n }
         END { printf "%d\n", 1000 * mid / dark }'
}
sharp=$(edge_share "$YZ_WORK/canvas.png")
stretched=$(edge_share "$YZ_WORK/stretched.png")
echo "in-between greys per 1000 dark pixels: canvas $sharp, stretched 1x $stretched"
[ "$sharp" -lt $((stretched / 2)) ] || yz_fail "the 2x canvas is not sharper than the stretched 1x picture"
