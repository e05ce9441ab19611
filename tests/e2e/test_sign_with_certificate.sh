#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Signing with a certificate in the real program: open a PDF, 创建我的证书… from the 数字证书
# choice (its name the main window's, a password twice), export its .cer, save with the
# password; the window's verdict says the signature is valid, and so do poppler's pdfsig and the
# renderer's --verify on the saved file. The user's home, data and settings are the test's own.
source "$(dirname "$0")/lib.sh"
export HOME="$YZ_WORK/home" XDG_DATA_HOME="$YZ_WORK/home/data" XDG_CONFIG_HOME="$YZ_WORK/home/config"
mkdir -p "$HOME"
PASSWORD="seal-2026-pass"
yz_start_display 1280x800x24
yz_start_program

yz_write_pdf "$YZ_WORK/doc.pdf" "BT /F1 24 Tf 72 760 Td (A contract) Tj ET"

shot() {
  yz_screenshot "$YZ_WORK/$1.png"
  if [ -n "${YZ_KEEP_SHOTS:-}" ]; then cp "$YZ_WORK/$1.png" "$YZ_KEEP_SHOTS/"; fi
}

xdotool windowfocus --sync "$YZ_WINDOW"
xdotool key ctrl+shift+s
yz_wait_window '^签署 PDF 文档$' >/dev/null
xdotool type --delay 20 "$YZ_WORK/doc.pdf"
xdotool key Return
signing=$(yz_wait_window '^签署 PDF 文档 - doc.pdf')
xdotool windowfocus --sync "$signing"
sleep 0.5
shot opened

# Alt+C goes to the 数字证书 choice; F4 opens its list, whose last entry is 创建我的证书….
xdotool key alt+c
sleep 0.3
shot focused
xdotool key F4
sleep 0.5
xdotool key End Return
create=$(yz_wait_window '^创建我的证书$')
shot create-dialog
# The name comes from the main window; the password goes into its two fields.
xdotool windowfocus --sync "$create"
for _ in 1 2 3 4; do xdotool key Tab; sleep 0.1; done
xdotool type --delay 20 "$PASSWORD"
xdotool key Tab
xdotool type --delay 20 "$PASSWORD"
shot create-filled
xdotool key Return
# Made: it says readers will show "identity unknown" and offers the .cer; Alt+Y exports it.
yz_wait_window '^砚舟签名设计$' >/dev/null
shot created
xdotool key alt+y
yz_wait_window '^导出证书$' >/dev/null
xdotool key Return
yz_wait_window '^砚舟签名设计$' >/dev/null
xdotool key Return
sleep 0.5
ls "$HOME"/*.cer >/dev/null 2>&1 || yz_fail "no certificate exported into the home folder"
ls "$XDG_DATA_HOME"/yanzhou-sign/certificates/*.p12 >/dev/null 2>&1 || yz_fail "no certificate kept in the data folder"

# Ctrl+S: the password first, then the file.
xdotool windowfocus --sync "$signing"
xdotool key ctrl+s
yz_wait_window '^输入密码$' >/dev/null
shot password
xdotool type --delay 20 "$PASSWORD"
xdotool key Return
yz_wait_window '^保存签署后的文档$' >/dev/null
xdotool key Return
for _ in $(seq 150); do [ -s "$YZ_WORK/doc-已签.pdf" ] && break; sleep 0.1; done
[ -s "$YZ_WORK/doc-已签.pdf" ] || { shot nosave; yz_fail "nothing saved as doc-已签.pdf"; }
yz_wait_window '^砚舟签名设计$' >/dev/null
shot verdict
# The window's own verdict on the file just written, read off the message box's accessible text
# is not possible with xdotool: the file is checked below by readers no one here wrote.
xdotool key Return
sleep 0.3

# Opened again, the signed document lists its signature in the side panel (asked nothing).
xdotool windowfocus --sync "$signing"
xdotool key Escape
sleep 0.5
xdotool windowfocus --sync "$YZ_WINDOW"
xdotool key ctrl+shift+s
yz_wait_window '^签署 PDF 文档$' >/dev/null
xdotool type --delay 20 "$YZ_WORK/doc-已签.pdf"
xdotool key Return
yz_wait_window '^签署 PDF 文档 - doc-已签.pdf' >/dev/null
sleep 0.5
shot reopened
[ "$(xdotool search --onlyvisible --name '^砚舟签名设计$' 2>/dev/null | wc -l)" -eq 0 ] ||
  yz_fail "opening a signed document asked or warned"

cd "$YZ_WORK"
cmp -n "$(stat -c %s doc.pdf)" doc.pdf doc-已签.pdf || yz_fail "the original is not a prefix of the signed file"
pdfsig doc-已签.pdf >pdfsig.txt 2>&1 || true
cat pdfsig.txt
grep -q "Signature is Valid." pdfsig.txt || yz_fail "pdfsig does not find the signature valid"
grep -q "Total document signed" pdfsig.txt || yz_fail "pdfsig: the signature does not cover the whole document"
yz_expect 0 "$YZ_APP_DIR/yanzhou-sign-render" --verify doc-已签.pdf
cat out.txt
grep -q "有效" out.txt || yz_fail "--verify does not say 有效"
! grep -q "$PASSWORD" "$XDG_CONFIG_HOME"/yanzhou-sign/*.conf || yz_fail "the password is in the settings"
echo "signed with a certificate made in the window; pdfsig and --verify find it valid"
