#!/usr/bin/env bash
# Builds and runs the whole test suite: the normal build, then again under
# AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz targets for a
# bounded time, and last the native Windows programs, cross-built for
# x86-64 and i686 and the x86-64 build tested under Wine beside the normal
# build. Tests that need an X server start one of their own.
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

echo "== Windows cross builds (x86-64, i686) and the x86-64 build under Wine" >&2
"$top/scripts/cross-build.sh" win64 win32
"$top/tests/windows/wine_test.sh" "$top/build-win64" "$top/build"
echo "all tests passed" >&2
