#!/usr/bin/env bash
# own_xvfb.sh COMMAND [ARG...]: runs COMMAND with DISPLAY set to an X server
# of its own, so that no two tests share a keyboard focus or a pointer. The
# server picks a free display number itself and says which once it accepts
# clients (-displayfd), so there is no race for a number and no fixed wait.
# Exit status 77 (skipped) when Xvfb is not installed.
set -uo pipefail
command -v Xvfb >/dev/null || { echo "skipped: no Xvfb"; exit 77; }
[ $# -gt 0 ] || { echo "usage: own_xvfb.sh COMMAND [ARG...]" >&2; exit 2; }

work=$(mktemp -d)
server=""
stop_server() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$work"
}
trap stop_server EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

mkfifo "$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/displayfd" >"$work/xvfb.log" 2>&1 &
server=$!
# The server writes its number and a newline once it is ready; a server that
# dies before closes the pipe, which ends the read.
number=""
if ! read -r -t 30 number <"$work/displayfd" || [ -z "$number" ]; then
  echo "FAIL: Xvfb did not say within 30 s that it was ready; its log:"
  sed 's/^/  /' "$work/xvfb.log"
  exit 1
fi
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
"$@"
