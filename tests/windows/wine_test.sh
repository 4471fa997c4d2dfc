#!/usr/bin/env bash
# wine_test.sh WIN64_BUILD LINUX_BUILD [SHOT]: the x86-64 Windows build under
# Wine, beside the Linux build.
# - Wine starts once, on a scratch copy of the demo prefix, with a timeout;
#   everything after runs in that prefix, whose system.reg Wine reads as the
#   system's registry.
# - The test programs that need no screen run as .exe files and must pass.
# - xvtinst-cli.exe must print what the Linux xvtinst-cli prints on another
#   copy of the demo prefix (paths, tree, sections, install, and a refusal),
#   with the same exit status; Wine's console writes CR LF, so line ends are
#   made alike first. After the installs both copies' game folders must hold
#   the same bytes under the same names.
# - xvtinst.exe must show its main window; the screen is kept in SHOT
#   (default wine-main.png in the Windows build), and the Linux xvtinst's,
#   when built, beside it in SHOT's name with -linux, for a person to
#   compare. Both programs' start-up to their first painted window is timed.
#   The windows are shown first, right after Wine's start (see below).
# Runs itself in an X server of its own (tests/e2e/lib/own_xvfb.sh).
# Exit status 77 (skipped) without Wine, Xvfb or xdotool.
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
if [ -z "${XVT_WINE_TEST_IN_XVFB:-}" ]; then
  XVT_WINE_TEST_IN_XVFB=1 exec "$top/tests/e2e/lib/own_xvfb.sh" "$0" "$@"
fi
[ $# -ge 2 ] || { echo "usage: wine_test.sh WIN64_BUILD LINUX_BUILD [SHOT]" >&2; exit 2; }
win=$(cd "$1" && pwd) linux=$(cd "$2" && pwd)
shot=${3:-$win/wine-main.png}
for tool in wine wineboot wineserver xdotool import; do
  command -v "$tool" >/dev/null || { echo "skipped: no $tool"; exit 77; }
done

work=$(mktemp -d)
export WINEPREFIX=$work/wine-prefix WINEARCH=win64 WINEDEBUG=-all
# No prompt to fetch Mono or Gecko on the prefix's first start.
export WINEDLLOVERRIDES="mscoree,mshtml="
app=""
cleanup() {
  if [ -n "$app" ]; then
    kill "$app" 2>/dev/null
    wait "$app" 2>/dev/null
  fi
  wineserver -k 2>/dev/null
  wineserver -w 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
passes=0 failures=0
pass() {
  echo "ok: $*"
  passes=$((passes + 1))
}
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
now_ms() { date +%s%3N; }

cp -a "$top/examples/demo-prefix" "$WINEPREFIX"
cp -a "$top/examples/demo-prefix" "$work/linux-prefix"
# The build host's root as drive Z:, where the test programs find their data.
ln -s / "$WINEPREFIX/dosdevices/z:"

echo "starting Wine on a scratch copy of the demo prefix: waiting up to 180 s for wineboot to set the prefix up (about 7 s on a first start)"
start=$(now_ms)
# One Wine session for the whole run: the server, and with it the services
# that wineboot starts, stays up between the programs.
wineserver -p
if ! timeout 180 wineboot -i >"$work/wineboot.log" 2>&1; then
  echo "FAIL: wineboot did not finish within 180 s; its output:"
  sed 's/^/  /' "$work/wineboot.log"
  exit 1
fi
echo "Wine was ready after $(($(now_ms) - start)) ms"
# Wine draws the windows' frames and captions itself, as Windows would,
# rather than leaving them to a window manager that this X server has not.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1

# The windows first: after the console programs below, Wine's desktop
# process, started with the first window, waits 10 s for its RPC service
# (Wine's own doing, seen with Wine 8), which would hide the program's own
# start-up time.
readonly caption='Varnholt XvT Mission Installer'
# show NAME SHOT COMMAND...: starts the program and times its main window:
# mapped, first painted (more than its background colour on it), and still
# (two pictures 200 ms apart alike; the clock ticks by seconds). The screen
# is then kept in SHOT and the program ended.
show() {
  local name=$1 shot=$2 failed=$failures
  shift 2
  local start end id=""
  start=$(now_ms)
  "$@" >"$work/app.log" 2>&1 &
  app=$!
  end=$((start + 60000))
  while [ -z "$id" ]; do
    id=$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null | head -n 1)
    [ -n "$id" ] && break
    kill -0 "$app" 2>/dev/null || break
    [ "$(now_ms)" -lt "$end" ] || break
    sleep 0.05
  done
  if [ -z "$id" ]; then
    fail "$name: no window \"$caption\" within 60 s; the program's output:"
    sed 's/^/  /' "$work/app.log"
  else
    local mapped=$(($(now_ms) - start)) painted="" last now
    picture() { import -window "$id" rgb:- 2>/dev/null | md5sum; }
    colours() { import -window "$id" -format '%k' info: 2>/dev/null || echo 0; }
    end=$(($(now_ms) + 30000))
    until [ "$(colours)" -ge 8 ] || [ "$(now_ms)" -ge "$end" ]; do sleep 0.05; done
    if [ "$(colours)" -ge 8 ]; then
      painted=$(($(now_ms) - start))
    else
      fail "$name: the main window showed no more than $(colours) colours within 30 s"
    fi
    last=$(picture)
    while sleep 0.2; do
      now=$(picture)
      [ "$now" = "$last" ] && break
      [ "$(now_ms)" -lt "$end" ] || { fail "$name: the main window was still changing after 30 s"; break; }
      last=$now
    done
    echo "$name: the main window was mapped after $mapped ms, first painted after ${painted:-?} ms," \
      "still after $(($(now_ms) - start)) ms"
    import -window root "$shot" && echo "$name: screen kept in $shot"
    [ "$failures" -eq "$failed" ] && pass "$name showed its main window"
  fi
  kill "$app" 2>/dev/null
  wait "$app" 2>/dev/null
  app=""
  # Wine's window can outlive its process for a moment; the next program's
  # window must not be mistaken for it.
  end=$(($(now_ms) + 10000))
  while [ -n "$(xdotool search --onlyvisible --name "^$caption\$" 2>/dev/null)" ]; do
    [ "$(now_ms)" -lt "$end" ] || { fail "$name: its window was still shown 10 s after the program was ended"; break; }
    sleep 0.05
  done
}

echo "== xvtinst.exe beside xvtinst"
if [ ! -f "$win/app/xvtinst.exe" ]; then
  fail "$win/app/xvtinst.exe is not built"
else
  show xvtinst.exe "$shot" wine "$win/app/xvtinst.exe"
fi
if [ -x "$linux/app/xvtinst" ]; then
  cp -a "$top/examples/demo-prefix" "$work/linux-shown"
  show xvtinst "${shot%.png}-linux.png" env WINEPREFIX="$work/linux-shown" "$linux/app/xvtinst"
else
  echo "xvtinst: not built in $linux, so not shown beside"
fi

echo "== test programs"
for name in test_catalogue test_registry test_hostfs test_gif; do
  exe=$win/tests/windows/$name.exe
  if [ ! -f "$exe" ]; then
    fail "$exe is not built"
    continue
  fi
  if (cd "$(dirname "$exe")" && timeout 300 wine "$exe" >"$work/$name.log" 2>&1); then
    pass "$name ($(grep -o '[0-9]* tests\? from' "$work/$name.log" | head -n 1 | cut -d' ' -f1) tests)"
  else
    fail "$name under Wine; its output:"
    tail -n 40 "$work/$name.log" | sed 's/^/  /'
  fi
done

echo "== xvtinst-cli.exe beside xvtinst-cli"
cli_win=$win/cli/xvtinst-cli.exe cli_linux=$linux/cli/xvtinst-cli
# same NAME ARG...: both programs with the same arguments print the same
# lines on stdout and on stderr and end with the same status.
same() {
  local name=$1
  shift
  timeout 60 wine "$cli_win" "$@" >"$work/w.out" 2>"$work/w.err"
  local ws=$?
  "$cli_linux" --wine-prefix "$work/linux-prefix" "$@" >"$work/l.out" 2>"$work/l.err"
  local ls=$?
  sed -i 's/\r$//' "$work/w.out" "$work/w.err"
  # The usage text after a wrong command line names --wine-prefix on Linux
  # only; it is checked on its own below.
  sed -i '/^usage: /,$d' "$work/l.err" "$work/w.err"
  if [ "$ws" != "$ls" ]; then
    fail "$name: exit status $ws under Wine, $ls on Linux"
  elif ! diff -u "$work/l.out" "$work/w.out" >"$work/diff" || ! diff -u "$work/l.err" "$work/w.err" >>"$work/diff"; then
    fail "$name: the output differs (- Linux, + Wine):"
    sed 's/^/  /' "$work/diff"
  elif [ ! -s "$work/l.out" ] && [ ! -s "$work/l.err" ]; then
    fail "$name: neither program printed anything"
  else
    pass "$name (exit status $ws, $(wc -l <"$work/l.out") lines)"
  fi
}
if [ ! -f "$cli_win" ] || [ ! -x "$cli_linux" ]; then
  fail "xvtinst-cli is not built in both builds ($cli_win, $cli_linux)"
else
  mission='C:\Games\XvT\combat\ember.tie'
  same paths paths
  same tree tree
  same "tree --no-bop" tree --no-bop
  same sections sections "$mission"
  same "sections --side rebel" sections 'C:\Games\XvT\BalanceOfPower\Train\cadet.tie' --side rebel
  same "a side the mission does not offer" sections 'C:\Games\XvT\BalanceOfPower\melee\whirl.tie' --side rebel
  same "install --dry-run" install "$mission" --title 'Ember Watch' --section '[Frontier Patrol]' --side both --dry-run
  same install install "$mission" --title 'Ember Watch' --section '[Frontier Patrol]' --side both
  same "install into a new section" install 'C:\Games\XvT\TRAIN\novice.tie' --title 'First Steps' --section '[New Pilots]' --side imperial --single
  same "a section without its bracket" install "$mission" --title 'Ember Watch' --section 'Frontier Patrol'
  same "a mission that is not there" sections 'C:\Games\XvT\combat\none.tie'
  # On Windows the games' own registry and drives are read: no prefix to name.
  timeout 60 wine "$cli_win" --help >"$work/w.out" 2>&1
  if grep -q -e '--wine-prefix' -e 'prefix' "$work/w.out" || ! grep -q '^usage: xvtinst-cli paths' "$work/w.out"; then
    fail "xvtinst-cli.exe --help should name no Wine prefix:"
    sed 's/^/  /' "$work/w.out"
  else
    pass "xvtinst-cli.exe --help names no Wine prefix"
  fi
  timeout 60 wine "$cli_win" --wine-prefix 'C:\' paths >"$work/w.out" 2>&1
  status=$?
  if [ "$status" = 2 ] && grep -q 'unknown option --wine-prefix' "$work/w.out"; then
    pass "xvtinst-cli.exe refuses --wine-prefix (exit status 2)"
  else
    fail "xvtinst-cli.exe --wine-prefix: exit status $status, not 2 with \"unknown option\":"
    sed 's/^/  /' "$work/w.out"
  fi
  if diff -r "$work/linux-prefix/drive_c/Games" "$WINEPREFIX/drive_c/Games" >"$work/diff"; then
    if diff -rq "$top/examples/demo-prefix/drive_c/Games" "$work/linux-prefix/drive_c/Games" >/dev/null; then
      fail "the installs changed no list"
    else
      pass "the installs wrote the same bytes into the same lists"
    fi
  else
    fail "the game folders differ after the installs (Linux, then Wine):"
    sed 's/^/  /' "$work/diff"
  fi
fi

echo "Wine: $passes passed, $failures failed"
[ "$failures" -eq 0 ]
