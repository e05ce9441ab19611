#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# A newcomer's first window, measured on a truly fresh Debian 12: seconds from starting
# `scripts/setup.sh run` in a fresh clone to the program's window on the screen, packages,
# downloads and the build included; then the same for a second fresh clone on that machine.
#   bench/first_window.sh [<commit, default HEAD>]     as root; needs the archive and npm
# The machine is a minimal Debian made by debootstrap from the archive this machine's apt uses
# (kept as a tarball in ~/.cache/yanzhou-sign/, like the package test's). The clone is put in
# its /root, set-up runs there in private mount and process namespaces with nothing of this
# machine's caches, and the window is looked for on an Xvfb display of this machine every
# 0.2 s. The logs, the set-up's own account of its time and a screenshot land in
# build/first-window/. The figures are wall-clock times: run it on a quiet machine, or read
# them with the load it prints.
set -euo pipefail

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
commit=$(git -C "$top" rev-parse "${1:-HEAD}")
cache=${YZ_CACHE_DIR:-$HOME/.cache/yanzhou-sign}
work=$top/build/first-window
root=$work/root
title="砚舟签名设计软件 免费版"
started=$(date +%s)
pids=()

say() { printf '[first window %4ds] %s\n' "$(($(date +%s) - started))" "$*"; }
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ "$(id -u)" -eq 0 ] || fail "needs root (debootstrap, mount namespaces)"
for tool in debootstrap unshare zstd xdotool import Xvfb git; do
  command -v "$tool" >/dev/null || fail "$tool is missing: scripts/apt-packages.txt lists its package"
done

# shellcheck source=../tests/package/fresh_debian.sh
. "$top/tests/package/fresh_debian.sh"
cleanup() {
  for pid in "${pids[@]}"; do kill -KILL "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  remove_root
}
trap cleanup EXIT

remove_root
rm -rf "$work"
mkdir -p "$work"

# The fresh machine: debootstrap's minimal Debian, its package lists fetched, nothing more.
find_archives
make_root() {
  say "debootstrap --variant=minbase $codename from $mirror, apt-get update and upgrade inside it"
  debootstrap_root "$work"
  in_root apt-get clean
}
key=$(printf '%s\n' "$(declare -f make_root debootstrap_root)" "$codename $arch" "$archives" |
  sha256sum | cut -c1-16)
cached_root "$cache/first-window-debian-$codename-$arch-$key.tar.zst" make_root \
  "$cache/first-window-debian-$codename-$arch-*.tar.zst"

# A machine whose way out passes a proxy with a certificate authority of its own: its
# certificates go along (the root's ca-certificates takes them in when set-up installs it).
if compgen -G "/usr/local/share/ca-certificates/*.crt" >/dev/null; then
  mkdir -p "$root/usr/local/share/ca-certificates"
  cp /usr/local/share/ca-certificates/*.crt "$root/usr/local/share/ca-certificates/"
fi

# The display the window is looked for on: this machine's, reached from inside through the
# X server's abstract socket (the namespaces share the network).
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { cat "$work/xvfb.log"; fail "Xvfb did not start"; }
display=":$(tr -d '[:space:]' <"$work/display")"

# One fresh clone: set-up started in it, the seconds until its window shows.
first_window() {
  local name=$1 clone=/root/$1 begun shown pid window
  git clone -q --no-local "$top" "$root$clone"
  git -C "$root$clone" checkout -q "$commit"
  say "$name: scripts/setup.sh run in $clone (log: $work/$name.log)"
  begun=$(date +%s.%N)
  "${enter[@]}" "$root" "${clean_env[@]}" DISPLAY="$display" \
    NODE_EXTRA_CA_CERTS=/etc/ssl/certs/ca-certificates.crt \
    bash -c "cd $clone && exec scripts/setup.sh run" >"$work/$name.log" 2>&1 &
  pid=$!
  pids+=("$pid")
  window=
  while [ -z "$window" ]; do
    kill -0 "$pid" 2>/dev/null || { tail -n 30 "$work/$name.log"; fail "$name: set-up ended without a window"; }
    sleep 0.2
    window=$(DISPLAY=$display xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1 || true)
  done
  shown=$(date +%s.%N)
  sleep 1
  DISPLAY=$display import -window root "$work/$name.png"
  kill -KILL "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  grep 'where the time went' "$work/$name.log" | sed "s/^ */    $name: /" || true
  awk -v name="$name" -v from="$begun" -v to="$shown" 'BEGIN { printf "%s %.0f\n", name, to - from }' \
    >>"$work/times"
  say "$name: window shown $(awk -v n="$name" '$1 == n { print $2 }' "$work/times") s after set-up started (screenshot $work/$name.png)"
}

say "load before: $(cut -d' ' -f1-3 /proc/loadavg), $(nproc) cores"
first_window first-clone
first_window second-clone
say "load after: $(cut -d' ' -f1-3 /proc/loadavg)"
awk '{ printf "%s: %d s to the first window\n", $1, $2 }' "$work/times"
