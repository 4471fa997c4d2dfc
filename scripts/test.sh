#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build (with an X server for
# the end-to-end tests), then again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets for a bounded time.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
"$top/scripts/deps.sh"

xvfb_pid=""
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
start_xvfb() {
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null || true
  done
  echo "could not start Xvfb" >&2
  return 1
}

echo "== normal build" >&2
"$top/scripts/build.sh" build
start_xvfb
ctest --test-dir "$top/build" --output-on-failure -j "$jobs" -LE fuzz

echo "== sanitizer build (ASan + UBSan)" >&2
"$top/scripts/build.sh" build-asan -DCMAKE_BUILD_TYPE=Debug -DXVT_SANITIZE=ON -DXVT_BENCH=OFF
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 LSAN_OPTIONS=suppressions=$top/scripts/lsan.supp UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$top/build-asan" --output-on-failure -j "$jobs" -LE fuzz

echo "== fuzz targets (bounded)" >&2
CC=clang CXX=clang++ XVT_TARGET=xvt_fuzzers "$top/scripts/build.sh" build-fuzz \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DXVT_FUZZ=ON -DXVT_BENCH=OFF -DXVT_SDL=OFF
ctest --test-dir "$top/build-fuzz" --output-on-failure -j "$jobs" -L fuzz
echo "all tests passed" >&2
