#!/usr/bin/env bash
# installed_program.sh XVTINST DEMO_PREFIX: run inside an X server of its own
# (own_xvfb.sh). The installed program, on a prefix without games, shows its
# main window on a scratch copy of the demo prefix installed beside it (the
# copy holds the marker file put into that one), and takes the copy away
# when ended.
set -uo pipefail
prog=$1 demo=$2
work=$(mktemp -d)
pid=""
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/tmp" "$work/empty-prefix"
touch "$demo/drive_c/installed-copy"
now_ms() { date +%s%3N; }
# poll SECONDS COMMAND...: COMMAND every 50 ms until it succeeds or time is up.
poll() {
  local end=$(($(now_ms) + $1 * 1000))
  shift
  until "$@"; do
    [ "$(now_ms)" -lt "$end" ] || return 1
    sleep 0.05
  done
}
shown() { grep -qxF 'xvt: frame shown "Varnholt XvT Mission Installer"' "$work/stderr"; }
env -u XVTINST_DEMO_PREFIX TMPDIR="$work/tmp" WINEPREFIX="$work/empty-prefix" XVT_REPORT_HOST=1 "$prog" \
  >/dev/null 2>"$work/stderr" </dev/null &
pid=$!
if ! poll 20 shown; then
  echo "FAIL: the installed program showed no main window; its stderr:"
  sed 's/^/  /' "$work/stderr"
  exit 1
fi
failed=0
copies=("$work"/tmp/xvtinst-*/prefix/drive_c/installed-copy)
[ -e "${copies[0]}" ] || { echo "FAIL: the scratch copy is not of the installed demo prefix"; failed=1; }
kill -TERM "$pid"
wait "$pid" 2>/dev/null
pid=""
[ -z "$(ls -A "$work/tmp")" ] || { echo "FAIL: the scratch copy stayed: $(ls -A "$work/tmp")"; failed=1; }
exit "$failed"
