#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The renderer's --sign as scripts use it: bad arguments refused with one line and nothing
# written, the documented example, the seal, the date and the 骑缝章 on a real document, several
# documents at once with one failing, the default name beside the original, a password.
source "$(dirname "$0")/../e2e/lib.sh"
timestamps="$(cd "$(dirname "$0")/../certificates" && pwd)/timestamp_authority.py"
render="$YZ_APP_DIR/yanzhou-sign-render"
real=/usr/share/doc/libtasn1-doc/libtasn1.pdf
[ -f "$real" ] || yz_fail "$real is missing: the set-up installs libtasn1-doc"
cd "$YZ_WORK"
cp "$real" 合同.pdf

expect() { yz_expect "$1" "$render" "${@:2}"; }

expect 0 --help
for option in --sign --pages --at --width --seal --seal-at --seal-width --seam --seam-pages \
              --seam-slices --seam-y --date --password --password-file --break-signatures \
              --certificate --certificate-password-file --nss-db --nss-nickname --field --reason \
              --location --tsa --verify; do
  grep -q -- "$option" out.txt || yz_fail "--help does not list $option"
done

while IFS= read -r bad; do
  # shellcheck disable=SC2086 # each case is a word list
  expect 2 $bad
  [ "$(wc -l <err.txt)" -eq 1 ] || yz_fail "not one line for '$bad': $(cat err.txt)"
  grep -qP '[\x{4e00}-\x{9fff}]' err.txt || yz_fail "no Chinese reason for '$bad': $(cat err.txt)"
  [ ! -s out.txt ] || yz_fail "printed a path for '$bad'"
done <<'CASES'
--at 30,40 --out x.pdf
--sign 合同.pdf
--sign 合同.pdf --at 30
--sign 合同.pdf --at 30,40 --width 0
--sign 合同.pdf --at 30,40 --width 5厘米
--sign 合同.pdf --at 30,40 --pages 4-2
--sign 合同.pdf --at 30,40 --pages 第二页
--sign 合同.pdf --at 30,40 --out 合同.png
--sign 合同.pdf --seal 公文签 --seal-at 10,10
--sign 合同.pdf --seal 篆印体
--sign 合同.pdf --seam --seam-slices 0
--sign 合同.pdf --at 30,40 --seam-y 20
--sign 合同.pdf --seam --date
--sign 合同.pdf --at 30,40 --seal-blend 淡
--sign 合同.pdf --at 30,40 --practice --out x.pdf
--sign 合同.pdf --at 30,40 --reason 同意
--sign 合同.pdf --at 30,40 --field 甲方
--sign 合同.pdf --at 30,40 --certificate a.p12 --nss-db db --nss-nickname n
--sign 合同.pdf --at 30,40 --nss-db db
--sign 合同.pdf --at 30,40 --password a --password-file b
--sign 合同.pdf --at 30,40 --certificate a.p12 --tsa ftp://x
CASES
[ "$(ls)" = "$(printf '%s\n' err.txt out.txt 合同.pdf)" ] || yz_fail "bad arguments wrote: $(ls)"

# Where the page shows the signature: the rendered pages of the signed copy differ from the
# original's exactly on the pages asked for.
differs() {  # <signed.pdf> <page>
  pdftoppm -cropbox -r 36 -f "$2" -l "$2" -singlefile -png 合同.pdf a
  pdftoppm -cropbox -r 36 -f "$2" -l "$2" -singlefile -png "$1" b
  [ "$(compare -metric AE a.png b.png null: 2>&1 || true)" != 0 ]
}

expect 0 --name 纪元朗 --style 公文签 --sign 合同.pdf --pages 2-4 --at 30,40 --width 50 --out 合同-已签.pdf
[ "$(cat out.txt)" = "$YZ_WORK/合同-已签.pdf" ] || yz_fail "printed $(cat out.txt)"
for page in 1 2 3 4 5; do
  if differs 合同-已签.pdf $page; then marked=yes; else marked=no; fi
  case $page in 2|3|4) want=yes ;; *) want=no ;; esac
  [ $marked = $want ] || yz_fail "page $page carries the signature: $marked"
done
cmp <(pdftotext 合同.pdf -) <(pdftotext 合同-已签.pdf -) || yz_fail "the text changed"
qpdf --check 合同-已签.pdf >/dev/null || yz_fail "qpdf --check: $(qpdf --check 合同-已签.pdf)"

# The seal in red beside the signature, a date under it, a 骑缝章 on the edges of every page.
expect 0 --sign 合同.pdf --pages 1 --at 30,20 --date --seal 篆印体 --seal-at 90,15 --seam --seam-slices 6 --out 全套.pdf
pdftoppm -cropbox -r 36 -f 1 -l 1 -singlefile -png 全套.pdf full
red=$(convert full.png -fx '(r>0.5&&g<0.3&&b<0.3)?1:0' -format '%[fx:mean*w*h]' info:)
[ "${red%.*}" -gt 50 ] || yz_fail "no red seal on page 1 ($red red pixels)"
date_text=$(pdftotext -f 1 -l 1 全套.pdf - | head -c 2000)
[ -n "$date_text" ] || yz_fail "page 1 lost its text"
differs 全套.pdf 36 || yz_fail "the 骑缝章 is not on the last page"

# Several documents into a folder: the damaged one is told in one line, the others written.
printf 'not a pdf' >坏.pdf
expect 1 --sign 合同.pdf --sign 坏.pdf --sign "$real" --seam --out 已签/
[ "$(wc -l <out.txt)" -eq 2 ] || yz_fail "wrote $(cat out.txt)"
[ "$(wc -l <err.txt)" -eq 1 ] && grep -q '坏.pdf' err.txt || yz_fail "failing document: $(cat err.txt)"
[ -f 已签/合同-已签.pdf ] && [ -f 已签/libtasn1-已签.pdf ] || yz_fail "folder holds: $(ls 已签)"

# No --out: beside the original, as <name>-已签.pdf.
mkdir 别处 && cp "$real" 别处/说明.pdf
expect 0 --sign 别处/说明.pdf --at 10,10
[ -f 别处/说明-已签.pdf ] || yz_fail "no copy beside the original: $(ls 别处)"

# A page beyond the end, and a document that needs its password.
expect 1 --sign 合同.pdf --pages 40 --at 10,10 --out 超出.pdf
grep -q '第 40 页超出范围' err.txt && [ ! -e 超出.pdf ] || yz_fail "page 40: $(cat err.txt)"
qpdf 合同.pdf --encrypt 芝麻 owner 256 -- 加密.pdf
expect 1 --sign 加密.pdf --at 10,10 --out 加密-已签.pdf
grep -q -- '--password' err.txt && [ ! -e 加密-已签.pdf ] || yz_fail "password: $(cat err.txt)"
expect 0 --sign 加密.pdf --at 10,10 --password 芝麻 --out 加密-已签.pdf
qpdf --password=芝麻 --check 加密-已签.pdf >/dev/null || yz_fail "the signed copy does not open with its password"
printf '芝麻\n' >文档口令.txt
expect 0 --sign 加密.pdf --at 10,10 --password-file 文档口令.txt --out 加密-已签2.pdf

# Certificates: two documents signed with one password from a file, then from the environment;
# each a prefix of its output, valid for poppler and mupdf.
openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -utf8 -subj /CN=纪元朗 \
  -days 30 -keyout 钥.pem -out 证.pem 2>/dev/null
openssl pkcs12 -export -inkey 钥.pem -in 证.pem -out 我.p12 -passout pass:芝麻开门
printf '芝麻开门\n' >口令.txt
valid() {  # <original> <signed>
  cmp -s <(head -c "$(stat -c %s "$1")" "$2") "$1" || yz_fail "$1 is not a prefix of $2"
  pdfsig "$2" | grep -q 'Signature is Valid.' && pdfsig "$2" | grep -q 'Total document signed' ||
    yz_fail "pdfsig on $2: $(pdfsig "$2")"
  mutool sign -v "$2" | grep -q 'unchanged since signing' || yz_fail "mutool on $2: $(mutool sign -v "$2")"
}
expect 0 --sign 合同.pdf --sign 全套.pdf --pages 1 --at 30,40 --seal 篆印体 --seal-at 90,35 --seam \
  --certificate 我.p12 --certificate-password-file 口令.txt --reason 同意 --location 北京 --out 数字/
valid 合同.pdf 数字/合同-已签.pdf
valid 全套.pdf 数字/全套-已签.pdf
pdfsig 数字/全套-已签.pdf | grep -c 'Signature is Valid.' | grep -qx 1 || yz_fail "全套 lost nothing"
YZ_CERTIFICATE_PASSWORD=芝麻开门 expect 0 --sign 合同.pdf --seam --certificate 我.p12 --out 骑缝.pdf
valid 合同.pdf 骑缝.pdf

# A timestamp from an authority started on 127.0.0.1 (openssl ts -reply behind HTTP): the
# signature still valid, its CMS carrying the token.
openssl req -x509 -newkey rsa:2048 -nodes -subj /CN=TSA -days 30 -keyout tsa.key -out tsa.crt \
  -addext keyUsage=critical,digitalSignature -addext extendedKeyUsage=critical,timeStamping 2>/dev/null
cat tsa.key tsa.crt >tsa.pem && echo 01 >tsa.serial
printf '[ tsa ]\ndefault_tsa = here\n[ here ]\nserial = %s\nsigner_cert = %s\nsigner_key = %s\ncerts = %s\nsigner_digest = sha256\ndefault_policy = 1.2.3.4.1\ndigests = sha256\naccuracy = secs:1\ness_cert_id_alg = sha256\n' \
  "$PWD/tsa.serial" "$PWD/tsa.pem" "$PWD/tsa.pem" "$PWD/tsa.crt" >tsa.cnf
python3 "$timestamps" tsa.cnf >tsa.port &
tsa_pid=$!
for _ in $(seq 100); do [ -s tsa.port ] && break; sleep 0.1; done
expect 0 --sign 合同.pdf --at 30,40 --certificate 我.p12 --certificate-password-file 口令.txt \
  --tsa "http://127.0.0.1:$(cat tsa.port)/ok" --out 时间.pdf
kill "$tsa_pid"
valid 合同.pdf 时间.pdf
python3 -c 'import re,sys; d=open(sys.argv[1],"rb").read(); h=re.findall(rb"/Contents <([0-9A-F]+)>", d)[-1]; open("token.der","wb").write(bytes.fromhex(h.decode()))' 时间.pdf
openssl cms -cmsout -print -inform DER -in token.der 2>/dev/null | grep -qi 'timeStampToken' ||
  yz_fail "no timestamp token in the signature"

# The same key in an NSS database with a password: unlocked by the same password file.
mkdir 库 && printf '库口令\n' >库口令.txt
certutil -N -d sql:库 -f 库口令.txt && pk12util -i 我.p12 -d sql:库 -W 芝麻开门 -k 库口令.txt >/dev/null
expect 0 --sign 合同.pdf --at 30,40 --nss-db 库 --nss-nickname 纪元朗 --certificate-password-file 库口令.txt --out 库签.pdf
valid 合同.pdf 库签.pdf
expect 1 --sign 合同.pdf --at 30,40 --nss-db 库 --nss-nickname 纪元朗 --out 不该.pdf
grep -q '密码' err.txt && [ ! -e 不该.pdf ] || yz_fail "a locked database: $(cat err.txt)"

# A certificate that cannot be used: one line, exit 1, nothing written.
openssl pkcs12 -export -nokeys -in 证.pem -out 无钥.p12 -passout pass:芝麻开门
head -c 300 我.p12 >坏.p12
printf 'wrong\n' >错.txt
while IFS='|' read -r p12 pw reason; do
  expect 1 --sign 合同.pdf --at 30,40 --certificate "$p12" --certificate-password-file "$pw" --out 不该.pdf
  [ "$(wc -l <err.txt)" -eq 1 ] && grep -q "$reason" err.txt || yz_fail "$p12: $(cat err.txt)"
  [ ! -e 不该.pdf ] || yz_fail "$p12 wrote a file"
done <<'CASES'
我.p12|错.txt|密码
没有.p12|口令.txt|没有.p12
坏.p12|口令.txt|坏.p12
无钥.p12|口令.txt|私钥
我.p12|没有.txt|没有.txt
CASES

# What the renderer signed, its own --verify finds intact; an encrypted document's password comes
# from a file for --verify as for --sign (that one holds no signature: said, status 1).
expect 0 --verify 数字/全套-已签.pdf
grep -q '有效' out.txt || yz_fail "--verify on what was signed: $(cat out.txt)"
expect 1 --verify 加密-已签.pdf --password-file 文档口令.txt
grep -q '没有数字签名' err.txt || yz_fail "--verify with a password file: $(cat err.txt)"

# Only regular files are signed: a named pipe called x.pdf and a process substitution are each
# refused at once with their reason (under a time limit, so that a signer waiting on the pipe
# fails the test instead of hanging it), and the other documents of the batch are still signed.
mkfifo x.pdf
yz_expect 1 timeout 60 "$render" --sign x.pdf --sign <(cat 合同.pdf) --sign 合同.pdf --at 10,10 --out 管道/
[ "$(grep -c '是命名管道，不是普通文件' err.txt)" -eq 2 ] || yz_fail "pipes: $(cat err.txt)"
[ "$(ls 管道)" = "合同-已签.pdf" ] || yz_fail "pipes wrote: $(ls 管道)"
echo "PASS"
