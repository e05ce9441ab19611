#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Contact sheet: every style (one row each) drawing each name (one column each) through the
# renderer, which runs the window's own drawing code.
#   tools/installation/contact_sheet.sh build/app sheet.png 欧阳梓玥 王喆 李堃 张珺
set -euo pipefail
app=$1; out=$2; shift 2
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
i=0
for name in "$@"; do
  "$app/yanzhou-sign-render" --name "$name" --en Osric --style all --background none --size 48 --out "$work/$i/" >/dev/null
  i=$((i+1))
done
rows=()
for f in "$work/0/"*.png; do
  style=$(basename "$f" .png)
  cells=()
  for j in $(seq 0 $((i-1))); do
    convert "$work/$j/$style.png" -background white -flatten -trim +repage -bordercolor white -border 10 -resize x90 "$work/c-$style-$j.png"
    cells+=("$work/c-$style-$j.png")
  done
  convert -background white -fill '#555' -font /usr/share/fonts/truetype/wqy/wqy-zenhei.ttc -pointsize 20 -size 130x90 -gravity center "label:$style" "$work/l-$style.png"
  convert "$work/l-$style.png" "${cells[@]}" -background white -gravity center +append "$work/r-$style.png"
  rows+=("$work/r-$style.png")
done
convert "${rows[@]}" -background white -gravity west -append "$out"
echo "$out"
