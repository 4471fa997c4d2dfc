#!/usr/bin/env bash
# own_xvfb.sh COMMAND [ARG...]: runs COMMAND with DISPLAY set to an X server
# of its own, so that no two tests share a keyboard focus or a pointer.
# - The server gets an explicit display number, which this script first
#   claims with flock on a file of its own: a second Xvfb started on a number
#   in use refuses to run but removes the first one's socket as it goes, so
#   two tests must never even try the same number. The claim goes with the
#   process, however it ends.
# - Left to pick a number itself (-displayfd), Xvfb takes no lock file at
#   all, so that is not used either.
# - -noreset: by default the server resets when its last client goes, and a
#   client that connects meanwhile (the program started a second time, a
#   second xdotool call) is refused.
# - Started with SIGUSR1 ignored, the server sends its parent SIGUSR1 once it
#   accepts clients (a socket file alone can show up before that); that is
#   polled for a bounded time, never waited for by a guessed time.
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

# try_display N: starts a server on :N and waits until it is ready; fails
# when the number is taken (that server exits at once).
ready=0
trap 'ready=1' USR1
try_display() {
  ready=0
  (trap '' USR1 && exec Xvfb ":$1" -screen 0 1024x768x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1) &
  server=$!
  local end=$(($(date +%s) + 30))
  while [ "$ready" -eq 0 ]; do
    if ! kill -0 "$server" 2>/dev/null; then
      wait "$server" 2>/dev/null
      server=""
      return 1
    fi
    if [ "$(date +%s)" -gt "$end" ]; then
      echo "FAIL: Xvfb on :$1 did not say within 30 s that it accepts clients; its log:"
      sed 's/^/  /' "$work/xvfb.log"
      exit 1
    fi
    sleep 0.05
  done
}

# Numbers from a place of this process's own, so that tests started together
# seldom try the same ones.
claims=${TMPDIR:-/tmp}/xvt-xvfb-claims
mkdir -p "$claims"
number=""
first=$((100 + $$ % 800))
for n in $(seq "$first" $((first + 60))); do
  [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
  exec {claim}>"$claims/$n"
  if flock -n "$claim"; then
    # Claimed; a server of someone else's may still have come meanwhile.
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ] && try_display "$n"; then
      number=$n
      break
    fi
  fi
  exec {claim}>&-
done
if [ -z "$number" ]; then
  echo "FAIL: no free display from :$first to :$((first + 60)) for Xvfb; the last one's log:"
  sed 's/^/  /' "$work/xvfb.log" 2>/dev/null
  exit 1
fi
export DISPLAY=":$number"
unset WAYLAND_DISPLAY
"$@"
