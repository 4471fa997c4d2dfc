#!/usr/bin/env bash
# scripts/xtests-repeat.sh [RUNS] [BUILD_DIR]: runs the tests that drive a real
# X server RUNS times in a row (default 30) and counts the runs that failed,
# to show that none of them fails by chance. Load the machine meanwhile (a
# parallel build, say) for the proof to mean something. Failing runs' output
# is kept in BUILD_DIR/xtests-repeat/.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
runs=${1:-30}
build=${2:-$top/build}
logs="$build/xtests-repeat"
mkdir -p "$logs"
failed=0
for i in $(seq "$runs"); do
  if ctest --test-dir "$build" -L e2e --output-on-failure -j 2 >"$logs/run-$i.log" 2>&1; then
    rm -f "$logs/run-$i.log"
  else
    failed=$((failed + 1))
    echo "run $i failed: $logs/run-$i.log" >&2
  fi
done
echo "$runs runs of the X-server tests: $((runs - failed)) passed, $failed failed"
[ "$failed" -eq 0 ]
