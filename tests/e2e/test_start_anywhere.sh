#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The program finds its files beside itself wherever it is started from: a copy in a folder
# whose path holds spaces and Chinese characters, started through a symlink from another
# working directory.
source "$(dirname "$0")/lib.sh"
place="$YZ_WORK/我的 签名/程序 目录"
mkdir -p "$place" "$YZ_WORK/elsewhere"
cp -r "$YZ_APP_DIR/." "$place/"
ln -s "$place/yanzhou-sign" "$YZ_WORK/elsewhere/签名"
yz_start_display
cd "$YZ_WORK/elsewhere"
YZ_PROGRAM="$YZ_WORK/elsewhere/签名"
# A missing table would stop start-up at its warning, before the window.
yz_start_program
yz_window_geometry
yz_screenshot "$YZ_WORK/shot.png"
read -r left top width height < <(yz_ink_box "$YZ_WORK/shot.png")
[ "${width:-0}" -gt 20 ] || yz_fail "no signature drawn when started through a symlink"
echo "started from $(pwd) through a symlink; signature ${width}x$height"
