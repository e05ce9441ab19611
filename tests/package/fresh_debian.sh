# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# A fresh Debian 12 in a folder, for the scripts that try the program on one: sourced, with
# `root` naming the folder and `fail` defined. Nothing is ever mounted outside the private mount
# namespaces the steps run in, so no mount can outlive them.

# Runs a command inside the root: its own mount namespace with /dev bound in, its own process
# namespace with /proc. Every process in it dies with the command, and every mount with them.
enter=(unshare --mount --propagation private -- sh -c
  'mount --rbind /dev "$0/dev" && exec unshare --pid --kill-child --root="$0" --mount-proc -- "$@"')
clean_env=(env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin HOME=/root
  LANG=C.UTF-8)
in_root() { "${enter[@]}" "$root" "${clean_env[@]}" "$@"; }

remove_root() {
  [ -e "$root" ] || return 0
  # Every mount lives in a namespace of its own; one seen here would be a bug, and rm -rf
  # would reach through it into the host.
  if findmnt -rn -o TARGET | grep -qF "$root"; then
    fail "something is mounted under $root: left in place"
  fi
  rm -rf "$root"
}

# The archives this machine's apt uses for its release ("URI suite component..." per line) in
# `archives`, the release's own in `mirror`, and `codename` and `arch`.
find_archives() {
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  arch=$(dpkg --print-architecture)
  archives=$(apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(COMPONENT)' \
    'Identifier: Packages' "Architecture: $arch" |
    awk -v release="$codename" '$2 == release || index($2, release "-") == 1' | sort -u |
    awk '{ key = $1 " " $2; parts[key] = parts[key] " " $3 } END { for (key in parts) print key parts[key] }' |
    sort)
  mirror=$(awk -v release="$codename" '$2 == release { print $1; exit }' <<<"$archives")
  [ -n "$mirror" ] || fail "apt's sources name no archive for $codename (run apt-get update)"
}

# debootstrap's minimal Debian in the root, apt pointed at the archives, upgraded like an
# installed Debian; logs in the folder $1.
debootstrap_root() {
  local logs=$1
  # Its own mount namespace: the /proc it mounts inside the target cannot outlive it.
  unshare --mount --propagation private -- \
    debootstrap --variant=minbase --arch="$arch" "$codename" "$root" "$mirror" >"$logs/debootstrap.log" 2>&1 ||
    { tail -n 20 "$logs/debootstrap.log"; fail "debootstrap failed"; }
  sed 's/^/deb /' <<<"$archives" >"$root/etc/apt/sources.list"
  # The machine's own view of the archive's dates, so a frozen archive still updates.
  apt-config dump Acquire::Check-Valid-Until >"$root/etc/apt/apt.conf.d/50check-valid-until"
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"  # no services start in here
  chmod 755 "$root/usr/sbin/policy-rc.d"
  in_root apt-get update -q >"$logs/apt-update.log" 2>&1 ||
    { tail -n 20 "$logs/apt-update.log"; fail "apt-get update failed inside the fresh root"; }
  in_root env DEBIAN_FRONTEND=noninteractive apt-get upgrade -y -q >"$logs/apt-upgrade.log" 2>&1 ||
    { tail -n 20 "$logs/apt-upgrade.log"; fail "apt-get upgrade failed inside the fresh root"; }
}

# The root from the tarball $1 if it is there, else made by the function $2 and kept there;
# older tarballs matching the pattern $3 (made from other ingredients) are removed.
cached_root() {
  local tarball=$1 make=$2 older=$3
  mkdir -p "$(dirname "$tarball")"
  if [ -f "$tarball" ]; then
    say "unpacking the cached fresh Debian $(basename "$tarball")"
    mkdir "$root"
    tar -C "$root" -I zstd -xpf "$tarball"
    return
  fi
  "$make"
  say "caching it as $(basename "$tarball")"
  rm -f $older
  tar -C "$root" -I 'zstd -T0 -3' -cpf "$tarball.part" . && mv "$tarball.part" "$tarball"
  say "cached: $(du -h "$tarball" | cut -f1)"
}
