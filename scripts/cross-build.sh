#!/usr/bin/env bash
# scripts/cross-build.sh [win64|win32]... [-- targets...]: the native Windows
# programs, cross-built with mingw-w64 into build-win64/ (x86_64) and
# build-win32/ (i686); both when no architecture is named. ccache is used
# when present, as in the Linux builds.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)
arches=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do arches+=("$1"); shift; done
[ "${1:-}" = "--" ] && shift
[ ${#arches[@]} -eq 0 ] && arches=(win64 win32)
for arch in "${arches[@]}"; do
  case "$arch" in
    win64) toolchain=mingw-x86_64 ;;
    win32) toolchain=mingw-i686 ;;
    *) echo "cross-build.sh: unknown architecture $arch (win64 or win32)" >&2; exit 2 ;;
  esac
  dir="$top/build-$arch"
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$top" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$top/cmake/$toolchain.cmake" \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  echo "== $arch" >&2
  cmake --build "$dir" -j "$jobs" ${1:+--target "$@"}
done
