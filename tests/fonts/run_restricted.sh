#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs a test program with a fontconfig configuration that holds only the fonts a fresh Debian 12
# machine has (DejaVu) plus the ones the set-up installs for the window, so that fonts collected
# on a developer's machine cannot hide a missing glyph.
set -euo pipefail
program=$1; shift
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
# Link the packages' font files one by one: their folders hold other packages' fonts too.
mkdir -p "$dir/fonts"
for package in fonts-dejavu-core fonts-arphic-uming fonts-wqy-microhei fonts-liberation; do
  dpkg -L "$package" | grep -E '\.(ttf|ttc|otf)$' | while read -r file; do
    ln -sf "$file" "$dir/fonts/"
  done
done
{
  echo '<?xml version="1.0"?>'
  echo '<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">'
  echo '<fontconfig>'
  echo "  <dir>$dir/fonts</dir>"
  echo "  <cachedir>$dir/cache</cachedir>"
  echo '</fontconfig>'
} >"$dir/fonts.conf"
export FONTCONFIG_FILE="$dir/fonts.conf"
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
"$program" "$@"
