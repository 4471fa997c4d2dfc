#!/usr/bin/env bash
# no_display.sh XVTINST DEMO_PREFIX: without a display, or with one that
# cannot be opened, the program says how to run it under xvfb-run, exits
# with status 1 and leaves no scratch copy of the demo prefix behind.
set -uo pipefail
prog=$1 demo=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp" "$work/empty-prefix"
failed=0

# expect_refusal NAME ENV...: runs the program with the environment given.
expect_refusal() {
  local name=$1; shift
  local status=0
  # A program that started after all would wait for a user: end it soon.
  timeout 10 env -u DISPLAY -u WAYLAND_DISPLAY "$@" TMPDIR="$work/tmp" WINEPREFIX="$work/empty-prefix" \
    XVTINST_DEMO_PREFIX="$demo" "$prog" >"$work/out" 2>"$work/err" </dev/null || status=$?
  if [ "$status" -ne 1 ]; then
    echo "FAIL ($name): exit status $status, not 1"; failed=1
  fi
  if ! grep -q 'xvfb-run -a ' "$work/err"; then
    echo "FAIL ($name): no xvfb-run advice on stderr:"; sed 's/^/  /' "$work/err"; failed=1
  fi
  if [ -s "$work/out" ]; then
    echo "FAIL ($name): wrote to stdout"; failed=1
  fi
  if [ -n "$(ls -A "$work/tmp")" ]; then
    echo "FAIL ($name): left files in TMPDIR: $(ls -A "$work/tmp")"; failed=1
  fi
}

expect_refusal "no DISPLAY"
expect_refusal "empty DISPLAY" DISPLAY=
# A display nobody serves: SDL fails to start.
expect_refusal "unreachable display" DISPLAY=:4093
[ "$failed" -eq 0 ] && echo "the program refused to start in all three cases"
exit "$failed"
