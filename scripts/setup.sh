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

say "Checking Debian packages"
mapfile -t wanted < <(grep -vE '^\s*(#|$)' "$top/scripts/apt-packages.txt")
missing=()
for package in "${wanted[@]}"; do
  # A machine with its own Node.js already has npm; Debian's would conflict with it.
  [ "$package" = npm ] && command -v npm >/dev/null 2>&1 && continue
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "    all ${#wanted[@]} packages are installed"
else
  echo "    installing ${#missing[@]} of ${#wanted[@]} packages: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -q
  as_root apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
fi

say "Configuring the build in $build"
cmake -S "$top" -B "$build" -G Ninja ${YZ_CMAKE_ARGS:-} >/dev/null
echo "    done"

say "Building the program and its sample installation (fonts are assembled on the first run)"
cmake --build "$build" -j "$jobs"

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
cmake --build "$asan" -j "$jobs" --target app_tests render_tests output_tests ui_tests
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir "$asan" -L '^(app|render|output|ui)$' --output-on-failure -j "$jobs" --timeout 900 || status=1

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

if [ "$status" -eq 0 ]; then
  echo
  echo "All tests passed ($(($(date +%s) - started))s). Next: scripts/setup.sh run starts the program."
else
  echo
  echo "Some tests failed (see above). Next: ctest --test-dir $build --rerun-failed --output-on-failure"
  exit 1
fi
