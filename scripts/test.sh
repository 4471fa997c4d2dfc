#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets for a
# bounded time. Tests that need an X server start one of their own.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
"$top/scripts/deps.sh"

echo "== normal build" >&2
"$top/scripts/build.sh" build
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
