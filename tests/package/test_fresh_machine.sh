#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# The Debian package on a truly fresh Debian:
#   bash test_fresh_machine.sh <build dir> <window_glyphs program>
# Builds the .deb from the build tree (cpack -G DEB) and checks it with lintian; makes a minimal
# Debian with debootstrap from the archive this machine's apt uses; installs the .deb there with
# apt; and inside it draws the default signature and a seal with the renderer (the same pixels as
# the build tree's renderer), signs a PDF with it (the same pages as the build tree's signing),
# opens the window under Xvfb for a screenshot, and checks that no
# control draws a character as a box. Needs root (debootstrap, namespaces) and the archive.
#
# The minimal Debian with the package's dependencies installed from the archive is kept as a
# tarball in ~/.cache/yanzhou-sign/, named after a digest of everything that goes into it (the
# archives, the release, the package's Depends line, the recipe below); a later run unpacks it
# and installs the new .deb over it. Nothing is ever mounted outside the private mount namespaces
# the steps run in, so no mount can outlive them.
set -euo pipefail

usage="usage: $0 <build dir> <window_glyphs program>"
build=$(cd "${1:?$usage}" && pwd)
glyphs=${2:?$usage}
cache=${YZ_CACHE_DIR:-$HOME/.cache/yanzhou-sign}
work=$build/fresh-machine
root=$work/root
title="砚舟签名设计软件 免费版"
started=$(date +%s)
pids=()

say() { printf '[fresh machine %4ds] %s\n' "$(($(date +%s) - started))" "$*"; }
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

if [ "$(id -u)" -ne 0 ]; then
  # debootstrap and namespaces need root: a user with sudo (as the set-up allows) lends it,
  # and gets back what the run leaves in the build tree.
  sudo -n true 2>/dev/null || fail "needs root (debootstrap, mount namespaces): run as root or with sudo"
  exec sudo -n -- env YZ_OWNER="$(id -u):$(id -g)" bash "$0" "$@"
fi
for tool in cpack lintian debootstrap unshare zstd xdotool import compare pdftoppm qpdf; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/apt-packages.txt lists its package"
done

# shellcheck source=fresh_debian.sh
. "$(dirname "${BASH_SOURCE[0]}")/fresh_debian.sh"
cleanup() {
  # unshare holds SIGTERM back for its child; SIGKILL ends it, and --kill-child takes its
  # namespace's processes along.
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  remove_root
  if [ -n "${YZ_OWNER:-}" ]; then
    chown -R "$YZ_OWNER" "$work" "$build"/_CPack_Packages "$build"/yanzhou-sign_*.deb 2>/dev/null || true
  fi
}
trap cleanup EXIT

# Only with &: the background job becomes the namespace's holder, so killing it ends them all.
start_in_root() { exec "${enter[@]}" "$root" "${clean_env[@]}" "$@"; }

# Step 1: the package, from the build tree, and lintian's verdict on it.
say "building the package: cpack -G DEB in $build"
packed=$(cd "$build" && cpack -G DEB) || fail "cpack failed: $packed"
deb=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' <<<"$packed")
[ -f "$deb" ] || fail "cpack named no package: $packed"
say "$(basename "$deb"): $(du -h "$deb" | cut -f1)"
say "Depends: $(dpkg-deb -f "$deb" Depends)"
# Signing documents links the PDF library; dpkg-shlibdeps must have found it.
dpkg-deb -f "$deb" Depends | grep -q 'libqpdf' || fail "the package does not depend on libqpdf"

# lintian reads the package while the fresh Debian is made; its verdict comes at the end.
remove_root
rm -rf "$work"  # the last run's logs and pictures
mkdir -p "$work"
say "lintian $(basename "$deb") (in the background)"
{ lintian --fail-on error --show-overrides "$deb" >"$work/lintian.log" 2>&1; echo $? >"$work/lintian.status"; } &
lintian_job=$!
pids+=("$lintian_job")

# Step 2: a minimal Debian with the package's dependencies, cached.
find_archives
depends=$(dpkg-deb -f "$deb" Depends)
# The server the window is shown on; the screenshot and the window search run on this machine.
test_packages=(xvfb)

make_root() {
  say "debootstrap --variant=minbase $codename from $mirror, apt-get update and upgrade inside it"
  debootstrap_root "$work"
  say "apt-get install the package there: its dependencies and ${test_packages[*]} come from the archive"
  cp "$deb" "$root/tmp/package.deb"
  in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    /tmp/package.deb "${test_packages[@]}" >"$work/apt-deps.log" 2>&1 ||
    { tail -n 30 "$work/apt-deps.log"; fail "apt-get could not install the package's dependencies"; }
  grep -E '^[0-9]+ upgraded, ' "$work/apt-deps.log" | sed 's/^/    /'
  # Kept without the package itself, which every run installs anew.
  in_root dpkg --purge yanzhou-sign >/dev/null
  in_root apt-get clean
  rm -f "$root/tmp/package.deb"
}

key=$(printf '%s\n' "$(declare -f make_root debootstrap_root)" "$codename $arch" "$archives" "$depends" \
  "${test_packages[*]}" | sha256sum | cut -c1-16)
cached_root "$cache/fresh-debian-$codename-$arch-$key.tar.zst" make_root \
  "$cache/fresh-debian-$codename-$arch-*.tar.zst"

say "apt-get install ./$(basename "$deb") inside the fresh Debian"
cp "$deb" "$root/tmp/"
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
  "/tmp/$(basename "$deb")" >"$work/apt-install.log" 2>&1 ||
  { tail -n 30 "$work/apt-install.log"; fail "apt-get could not install the package"; }
grep -E '^[0-9]+ upgraded, ' "$work/apt-install.log" | sed 's/^/    /'

# Step 3: the renderer draws there what it draws in the build tree.
render_and_compare() {
  local name=$1
  shift
  in_root yanzhou-sign-render "$@" --out "/tmp/$name.png" >/dev/null 2>"$work/render.log" ||
    { cat "$work/render.log"; fail "yanzhou-sign-render $* failed inside the fresh Debian"; }
  "$build/app/yanzhou-sign-render" "$@" --out "$work/$name-build-tree.png" >/dev/null
  cp "$root/tmp/$name.png" "$work/$name-fresh.png"
  local differ
  differ=$(compare -metric AE "$work/$name-fresh.png" "$work/$name-build-tree.png" null: 2>&1) || true
  [ "$differ" = 0 ] || fail "$name: $differ pixels differ from the build tree's ($work/$name-*.png)"
  say "renderer $name ($*): the same pixels as the build tree's"
}
render_and_compare default-signature
render_and_compare seal --style 篆印体

# Step 3b: the renderer signs a real manual there: a clean file whose pages are the same pixels
# as those the build tree's renderer signs.
manual=/usr/share/doc/libtasn1-doc/libtasn1.pdf
[ -f "$manual" ] || fail "$manual is missing: scripts/apt-packages.txt lists libtasn1-doc"
cp "$manual" "$root/tmp/manual.pdf"
signing=(--pages 1-2 --at 30,40 --width 50 --seal 篆印体 --seal-at 90,35 --seam --seam-slices 4)
in_root yanzhou-sign-render --sign /tmp/manual.pdf "${signing[@]}" --out /tmp/manual-signed.pdf \
  >/dev/null 2>"$work/sign.log" || { cat "$work/sign.log"; fail "signing a PDF failed inside the fresh Debian"; }
"$build/app/yanzhou-sign-render" --sign "$manual" "${signing[@]}" --out "$work/manual-build-tree.pdf" >/dev/null
cp "$root/tmp/manual-signed.pdf" "$work/manual-fresh.pdf"
qpdf --check "$work/manual-fresh.pdf" >/dev/null || fail "qpdf --check: $(qpdf --check "$work/manual-fresh.pdf")"
for page in 1 2 3; do
  for copy in fresh build-tree; do
    pdftoppm -cropbox -r 72 -f $page -l $page -singlefile -png "$work/manual-$copy.pdf" "$work/manual-$copy-$page"
  done
  differ=$(compare -metric AE "$work/manual-fresh-$page.png" "$work/manual-build-tree-$page.png" null: 2>&1) || true
  [ "$differ" = 0 ] || fail "signed page $page: $differ pixels differ from the build tree's ($work/manual-*-$page.png)"
done
say "renderer --sign: a clean PDF, its pages the same pixels as the build tree's"

# Step 4: the window under Xvfb inside it. The server takes the first display number whose X
# socket is free; the sockets are shared with this machine, which takes the screenshot.
say "starting Xvfb inside it"
start_in_root Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
  3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start inside the fresh Debian"; }
export DISPLAY=":$(tr -d '[:space:]' <"$work/display")"

say "starting yanzhou-sign on $DISPLAY"
start_in_root env DISPLAY="$DISPLAY" yanzhou-sign >"$work/window.log" 2>&1 &
pids+=($!)
window=
for _ in $(seq 200); do
  window=$(xdotool search --name "^$title\$" 2>/dev/null | head -n 1 || true)
  [ -n "$window" ] && break
  kill -0 "${pids[-1]}" 2>/dev/null || { cat "$work/window.log"; fail "the window's program exited"; }
  sleep 0.1
done
[ -n "$window" ] || { cat "$work/window.log"; fail "no window titled $title"; }
sleep 1
import -window root "$work/window.png"
say "screenshot of the window: $work/window.png"

say "checking every control's text for boxes"
cp "$glyphs" "$root/usr/lib/yanzhou-sign/window_glyphs"  # beside the program: the same files
in_root env DISPLAY="$DISPLAY" /usr/lib/yanzhou-sign/window_glyphs 2>"$work/glyphs.log" | sed 's/^/    /' ||
  { cat "$work/glyphs.log"; fail "a control draws a character as a box inside the fresh Debian"; }

say "copyright: every font the package ships has its licence there"
python3 - "$root" <<'EOF' || fail "the package's copyright file leaves a font without its licence"
import fnmatch, re, sys
from collections import Counter
from pathlib import Path
root = Path(sys.argv[1])
text = (root / "usr/share/doc/yanzhou-sign/copyright").read_text(encoding="utf-8")
covers = []  # (patterns, licence name, licence text lines), later paragraphs win
for paragraph in text.split("\n\n"):
    fields = dict(re.findall(r"^(\S+):[ ]?(.*(?:\n[ \t].*)*)", paragraph, re.M))
    if "Files" in fields and "License" in fields:
        name, *body = fields["License"].split("\n")
        covers.append((fields["Files"].split(), name, body))
names = Counter()
for font in sorted((root / "usr/lib/yanzhou-sign/fonts").rglob("*.dat")):
    path = str(font.relative_to(root))
    matches = [cover for cover in covers if any(fnmatch.fnmatchcase(path, p) for p in cover[0])]
    patterns, name, body = matches[-1]
    if patterns == ["*"] or len(body) < 5:
        sys.exit(f"{path}: only the program's own paragraph covers it, or its licence is not in full")
    names[name] += 1
print("    " + ", ".join(f"{count} fonts {name}" for name, count in sorted(names.items())))
EOF

wait "$lintian_job" || true
say "lintian's verdict on $(basename "$deb")"
grep -E '^[EWIPX]:' "$work/lintian.log" | sed 's/^/    /' || true
# Overridden warnings, one line per kind: packaging/lintian-overrides says why each is wanted.
grep -E '^O:' "$work/lintian.log" | sed -E 's/ \[.*\]$//' | sort | uniq -c |
  sed -E 's/^ *([0-9]+) (.*)$/    \2 (overridden, \1 files)/' || true
[ "$(cat "$work/lintian.status")" = 0 ] || fail "lintian reports errors"

say "passed"
