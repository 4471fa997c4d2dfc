#!/usr/bin/env bash
# scripts/build.sh DIR [cmake options...]: configure (once) and build one build folder.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
dir=$1; shift
jobs=$(nproc 2>/dev/null || echo 2)
if [ ! -f "$top/$dir/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$top/$dir" -G Ninja "$@" >/dev/null
fi
cmake --build "$top/$dir" -j "$jobs" ${XVT_TARGET:+--target $XVT_TARGET}
