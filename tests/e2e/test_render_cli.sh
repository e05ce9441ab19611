#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The renderer as a user runs it: exit statuses and one-line reasons, the file types, a scale-4
# transparent picture, and one file per style with --style all. No display is needed.
source "$(dirname "$0")/lib.sh"
render="$YZ_APP_DIR/yanzhou-sign-render"
cd "$YZ_WORK"

# expect <status> <args...>: runs the renderer, checks its status, keeps stdout and stderr.
expect() { yz_expect "$1" "$render" "${@:2}"; }

expect 0 --help
grep -q -- '--scale' out.txt || yz_fail "--help does not list --scale"
expect 0 --version
grep -qE '^yanzhou-sign-render [0-9]+\.[0-9]+' out.txt || yz_fail "--version printed: $(cat out.txt)"

for bad in "--scale 9" "--scale 0" "--scale 2.5" "--color red" "--color #C0000" "--size abc" \
           "--x 4294967296" "--style 无此款式" "--background 无此背景" "--nonsense" "stray" \
           "--format jpg" "--name 纪元朗 --out" "--out sig" "--out sig.gif" "--format pdf" "--background none --out sig.jpg" \
           "--style all --background none --format bmp --out 文件夹"; do
  # shellcheck disable=SC2086 # the cases are word lists; the last ones bring their own --out
  case "$bad" in *--out*) expect 2 $bad ;; *) expect 2 $bad --out sig.png ;; esac
  [ "$(wc -l <err.txt)" -eq 1 ] || yz_fail "not one line for '$bad': $(cat err.txt)"
  [ ! -s out.txt ] || yz_fail "printed a path for '$bad'"
  # Every reason in the user's words, the command-line parser's own included.
  grep -qP '[\x{4e00}-\x{9fff}]' err.txt || yz_fail "no Chinese reason for '$bad': $(cat err.txt)"
done
expect 2 --name 纪元朗
grep -q -- '--out' err.txt || yz_fail "no --out: $(cat err.txt)"
[ -z "$(ls sig* 文件夹 2>/dev/null)" ] || yz_fail "bad arguments wrote a file"

expect 1 --out /proc/无处/sig.png
[ "$(wc -l <err.txt)" -eq 1 ] && grep -q '/proc/无处/sig.png' err.txt || yz_fail "unwritable: $(cat err.txt)"
mkdir alone && cp "$render" alone/
"alone/yanzhou-sign-render" --out sig.png >out.txt 2>err.txt && yz_fail "drew without any fonts"
grep -q '没有可用的签名款式' err.txt || yz_fail "no fonts: $(cat err.txt)"

# A damaged background: the renderer's reason alone, no library's own line beside it.
mkdir -p 坏图/images && cp "$render" 坏图/ && ln -s "$YZ_APP_DIR/fonts" "$YZ_APP_DIR/data" 坏图/
head -c 3000 "$(find "$YZ_APP_DIR/images/" -name '*.png' | head -n 1)" >坏图/images/01-坏.png
"坏图/yanzhou-sign-render" --out sig.png >out.txt 2>err.txt && yz_fail "drew on a damaged background"
[ "$(wc -l <err.txt)" -eq 1 ] && grep -q '01-坏.png' err.txt || yz_fail "damaged background: $(cat err.txt)"

# Real file types, named by their extension.
expect 0 --out "签名.jpg"
[ "$(head -c 3 签名.jpg | od -An -tx1 | tr -d ' ')" = ffd8ff ] || yz_fail ".jpg is not a JPEG"
expect 0 --out "签名.bmp"
[ "$(head -c 2 签名.bmp)" = BM ] || yz_fail ".bmp is not a BMP"
[ "$(cat out.txt)" = "$YZ_WORK/签名.bmp" ] || yz_fail "printed $(cat out.txt)"

expect 0 --background none --out "签名.svg"
grep -q '<path' 签名.svg && ! grep -q '<text' 签名.svg || yz_fail ".svg does not hold the strokes as paths"
expect 0 --style all --format pdf --out 文档
[ "$(pdfinfo 文档/公文签.pdf | grep -c '^Pages: *1$')" = 1 ] || yz_fail "--format pdf did not write a PDF"

expect 0 --name 纪元朗 --style 公文签 --background none --scale 4 --out big.png
[ "$(identify -format '%wx%h' big.png)" = 1552x1044 ] || yz_fail "scale 4 is $(identify -format '%wx%h' big.png)"
[ "$(convert big.png -format '%[fx:p{0,0}.a+p{1551,1043}.a]' info:)" = 0 ] || yz_fail "corners not transparent"
[ "$(convert big.png -alpha extract -format '%[fx:maxima]' info:)" = 1 ] || yz_fail "no solid ink"

styles=$(( $(find "$YZ_APP_DIR/fonts/" -mindepth 1 -maxdepth 1 -type d ! -name 电脑字 | wc -l) +
           $(find "$YZ_APP_DIR/fonts/电脑字/" -maxdepth 1 -type f | wc -l) ))
expect 0 --style all --out "每种 款式"
[ "$(wc -l <out.txt)" -eq "$styles" ] || yz_fail "$(wc -l <out.txt) paths for $styles styles"
[ "$(find "每种 款式" -name '*.png' | wc -l)" -eq "$styles" ] || yz_fail "not one file per style"
[ "$(md5sum "每种 款式"/*.png | cut -d' ' -f1 | sort -u | wc -l)" -eq "$styles" ] || yz_fail "two styles drew the same picture"
# A style that cannot be written (a named pipe holds its name) keeps none of the others from
# being written; its reason comes at the end, and the pipe stays a pipe.
mkdir 有阻碍 && mkfifo 有阻碍/公文签.png
expect 1 --style all --out 有阻碍
[ "$(wc -l <out.txt)" -eq $((styles - 1)) ] || yz_fail "$(wc -l <out.txt) paths written past a failing style"
[ "$(wc -l <err.txt)" -eq 1 ] && grep -q '有阻碍/公文签.png' err.txt || yz_fail "failing style: $(cat err.txt)"
[ -p 有阻碍/公文签.png ] || yz_fail "the named pipe was replaced"

# Bytes that are not UTF-8 decode to U+FFFD: writing would hit the file named so instead.
printf 'other file' >$'\xef\xbf\xbd\xef\xbf\xbd.png'
expect 2 --out $'\xff\xfe.png'
[ "$(cat $'\xef\xbf\xbd\xef\xbf\xbd.png')" = "other file" ] || yz_fail "a non-UTF-8 --out wrote another file"
[ ! -e $'\xff\xfe.png' ] || yz_fail "a non-UTF-8 --out was written"
echo "renderer: statuses, file types, scale 4 transparent, $styles styles, a failing style, a non-UTF-8 name"
