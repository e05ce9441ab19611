#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The yanzhou-sign authors
# SPDX-License-Identifier: GPL-3.0-or-later

# One command for a fresh Debian 12 machine: installs what is missing, builds the program with
# its sample installation, then either starts it (run) or runs every test (test).
#   scripts/setup.sh run     build and start the program
#   scripts/setup.sh test    build and run the whole test suite
# A second run is quick: installed packages, downloaded fonts and built files are kept.
set -euo pipefail

mode=${1:-}
case "$mode" in
  run | test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${YZ_BUILD_DIR:-$top/build}
jobs=${YZ_JOBS:-$(nproc)}
steps=$([ "$mode" = test ] && echo 6 || echo 4)
step=0
started=$(date +%s)

say() {
  step=$((step + 1))
  printf '\n==> [%d/%d] %s  (%ds)\n' "$step" "$steps" "$*" "$(($(date +%s) - started))"
}

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# The packages above the line "# build" (what assembling the fonts needs), above "# tests"
# (what builds and shows the window), or all of them.
packages_for() {
  awk -v part="$1" '(part == "fonts" && /^# build$/) || (part == "run" && /^# tests$/) { exit }
    !/^[[:space:]]*(#|$)/' "$top/scripts/apt-packages.txt"
}
updated=
install_missing() {
  local package missing=()
  for package in "$@"; do
    # A machine with its own Node.js already has npm; Debian's would conflict with it.
    [ "$package" = npm ] && command -v npm >/dev/null 2>&1 && continue
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$package")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    echo "    all $# packages are installed"
    return
  fi
  echo "    installing ${#missing[@]} of $# packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  [ -n "$updated" ] || as_root apt-get update -q
  updated=yes
  as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
}

say "Checking Debian packages"
# The fonts take longest to make: `run` starts them as soon as their packages are there, and
# they are assembled while the rest installs and the program compiles.
assembling=
if [ "$mode" = run ] && ! grep -qE 'YZ_BUILD_INSTALLATION(:BOOL)?=OFF' \
  <<<"${YZ_CMAKE_ARGS:-} $(cat "$build/CMakeCache.txt" 2>/dev/null)"; then
  mapfile -t wanted < <(packages_for fonts)
  install_missing "${wanted[@]}"
  mkdir -p "$build/tools"
  fonts_started=$(date +%s)
  /usr/bin/python3 "$top/tools/installation/build_installation.py" --app-dir "$build/app" \
    --state "$build/tools/installation-state.json" >"$build/tools/installation.log" 2>&1 &
  assembling=$!
  trap 'kill "$assembling" 2>/dev/null || true' EXIT
  echo "    assembling the fonts meanwhile (log: $build/tools/installation.log)"
fi
mapfile -t wanted < <(packages_for "$mode")
install_missing "${wanted[@]}"
packages_done=$(date +%s)

say "Configuring the build in $build"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  # A compiler cache shared by every clone: paths below the clone's top are hashed as relative
  # ones, so a second clone elsewhere finds the first one's objects.
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR=$top CCACHE_NOHASHDIR=true
fi
# A first `run` leaves the tests and benchmark out (their packages come with `test`, which turns
# them on); a build made by `test` keeps them.
parts=()
if [ "$mode" = test ]; then
  parts=(-DYZ_BUILD_TESTS=ON -DYZ_BUILD_BENCH=ON)
elif [ ! -f "$build/CMakeCache.txt" ]; then
  parts=(-DYZ_BUILD_TESTS=OFF -DYZ_BUILD_BENCH=OFF)
fi
cmake -S "$top" -B "$build" -G Ninja "${launcher[@]}" "${parts[@]}" ${YZ_CMAKE_ARGS:-} >/dev/null
echo "    done${launcher:+ (compiler cache: ccache)}"

# What the window and the renderer need; the tests and the benchmark only for `test`.
targets=()
[ "$mode" = run ] && targets=(--target yanzhou-sign yanzhou-sign-render)
say "Building the program and its sample installation (fonts are assembled on the first run)"
ninja_log=$build/.ninja_log
log_lines=$( [ -f "$ninja_log" ] && wc -l <"$ninja_log" || echo 0)
build_started=$(date +%s)
cmake --build "$build" -j "$jobs" "${targets[@]}"
if [ -n "$assembling" ]; then
  echo "    waiting for the fonts"
  wait "$assembling" || echo "    assembling the fonts failed: the build's own step says why"
  trap - EXIT
  fonts_done=$(date +%s)
  grep -E '^installation: ' "$build/tools/installation.log" | sed 's/^/    /' || true
  # Its own record shows everything made, so this only checks and stamps it (or says why not).
  cmake --build "$build" --target yz_installation
fi
build_done=$(date +%s)

# Where the set-up's time went: ninja's log gives each step's start and end (milliseconds from
# the build's start); the fonts are the installation's step, the compile every other one.
where_time_went() {
  local fonts compile
  read -r fonts compile < <(tail -n +"$((log_lines + 1))" "$ninja_log" 2>/dev/null | awk '
    /^#/ { next }
    # (its stamp is logged twice, by relative and by absolute path)
    $4 ~ /installation\.stamp$/ { if (($2 - $1) / 1000 > fonts) fonts = ($2 - $1) / 1000; next }
    $4 ~ /\.(o|gch|a)$|yanzhou-sign(-render)?$/ {
      if (first == "" || $1 < first) first = $1
      if ($2 > last) last = $2
    }
    END { printf "%d %d\n", fonts, (last - first) / 1000 }')
  [ -n "$assembling" ] && fonts=$((fonts_done - fonts_started))
  echo
  echo "    where the time went: packages $((packages_done - started)) s, fonts ${fonts:-0} s and" \
    "compiling ${compile:-0} s (side by side${assembling:+, the fonts from the end of their packages})," \
    "the whole build $((build_done - build_started)) s; $(($(date +%s) - started)) s in all"
}
where_time_went

if [ "$mode" = run ]; then
  say "Starting build/app/yanzhou-sign"
  if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "    no display found: starting it on a virtual one (xvfb-run)."
    echo "    Next: run this on a desktop session to see the window."
    exec xvfb-run -a -s "-screen 0 1280x800x24" "$build/app/yanzhou-sign"
  fi
  echo "    Next: type a name, pick a style, drag the signature, then 保存签名 or 打印签名."
  exec "$build/app/yanzhou-sign"
fi

say "Running every test"
status=0
ctest --test-dir "$build" --output-on-failure -j "$jobs" --timeout 900 || status=1

say "Running the unit suites again under AddressSanitizer and UndefinedBehaviorSanitizer"
asan=${build}-asan
cmake -S "$top" -B "$asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
  -DYZ_BUILD_INSTALLATION=OFF -DYZ_BUILD_BENCH=OFF -DYZ_TEST_APP_DIR="$build/app" >/dev/null
cmake --build "$asan" -j "$jobs" --target app_tests render_tests output_tests ui_tests sign_tests certificates_tests verification_tests
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$asan" -L '^(app|render|output|ui|sign|certificates|verification)$' -E '^sign\.renderer_cli$' --output-on-failure -j "$jobs" --timeout 900 || status=1

say "Fuzzing the text rules for a short while (libFuzzer, one target per group of rules)"
fuzz=${build}-fuzz
cmake -S "$top" -B "$fuzz" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DYZ_BUILD_FUZZ=ON \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link,address,undefined \
  -DYZ_BUILD_INSTALLATION=OFF -DYZ_BUILD_BENCH=OFF >/dev/null
cmake --build "$fuzz" -j "$jobs" --target fuzz_targets
for corpus in "$top"/tests/fuzz/corpus/*/; do
  target=fuzz_$(basename "$corpus")
  scratch=$(mktemp -d)  # new inputs land here, the kept corpus stays as committed
  echo "    $target"
  if ASAN_OPTIONS=detect_leaks=0 "$fuzz/tests/fuzz/$target" "$scratch" "$corpus" -max_total_time=10 \
    -rss_limit_mb=2048 -artifact_prefix="$scratch/" >"$scratch/log" 2>&1; then
    grep -E '^Done [0-9]+ runs' "$scratch/log" | sed 's/^/      /' || true
  else
    tail -n 30 "$scratch/log"
    status=1
  fi
  rm -rf "$scratch"
done

where_time_went
if [ "$status" -eq 0 ]; then
  echo
  echo "All tests passed ($(($(date +%s) - started))s). Next: scripts/setup.sh run starts the program."
else
  echo
  echo "Some tests failed (see above). Next: ctest --test-dir $build --rerun-failed --output-on-failure"
  exit 1
fi
