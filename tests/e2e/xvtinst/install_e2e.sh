#!/usr/bin/env bash
# install_e2e.sh XVTINST DEMO_PREFIX: the program in a real X server, driven
# by xdotool as a user drives it. On a copy of the demo prefix: build the
# mission list, open the XvT combat mission ember.tie through the file-open
# dialog, name it, type a section, install, confirm, close the program; the
# three XvT combat lists on disk must then hold the mission and no other list
# may have changed. Help > Help shows the Instructions, Help > About the About
# window, whose picture must be seen to change on the screen. Then a run on a
# prefix without games works on a scratch copy of the demo prefix, which a
# kill must not leave behind.
# Every wait is a bounded poll for what the next step needs (a window mapped
# and its first frame on the screen, the keyboard focus taken, a dialog gone,
# a file rewritten), never a guessed time, and names what it waited for when
# it gives up. Run it in an X server of its own (tests/e2e/lib/own_xvfb.sh).
# Exit status 77 (skipped) without a DISPLAY or xdotool.
set -uo pipefail
prog=$1 demo=$2
[ -n "${DISPLAY:-}" ] || { echo "skipped: no DISPLAY"; exit 77; }
command -v xdotool >/dev/null || { echo "skipped: no xdotool"; exit 77; }

readonly caption='Varnholt XvT Mission Installer'
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
fail() {
  echo "FAIL: $*"
  # What the screen showed, for whoever reads the failure.
  if command -v import >/dev/null && import -window root "${XVT_E2E_SHOT:-/tmp/xvtinst-e2e-failure.png}" 2>/dev/null; then
    echo "screen: ${XVT_E2E_SHOT:-/tmp/xvtinst-e2e-failure.png}"
  fi
  if [ -s "$work/stderr" ]; then
    echo "the program's stderr:"
    sed 's/^/  /' "$work/stderr"
  fi
  exit 1
}

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
alive() { kill -0 "$pid" 2>/dev/null; }

# The program says on stderr when a shown window's first frame has reached
# the screen (XVT_REPORT_HOST); each wait asks for one more such line.
declare -A frames_wanted=()
frames_at_least() { [ "$(grep -cxF "xvt: frame shown \"$1\"" "$work/stderr")" -ge "$2" ]; }
# wait_frame TITLE SECONDS: the next frame of a window so captioned ("" for
# a drop-down menu) is on the screen.
wait_frame() {
  local key="t:$1"
  local want=$((${frames_wanted[$key]:-0} + 1))
  frames_wanted[$key]=$want
  poll "$2" frames_at_least "$1" "$want" || fail "no frame of the window \"$1\" reached the screen within $2 s"
}
# visible TITLE: the id of the mapped window with exactly that caption.
visible() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1; }
shown() { [ -n "$(visible "$1")" ]; }
gone() { ! shown "$1"; }
exited() { ! alive; }

# wait_window TITLE SECONDS: sets $win to the window, failing when it does not
# appear, when the program dies, or when an error box shows instead.
wait_window() {
  local title=$1 end=$(($(now_ms) + $2 * 1000))
  until win=$(visible "$title") && [ -n "$win" ]; do
    alive || fail "the program ended while waiting for the window \"$title\""
    for box in Error Information "Varnholt XvT Inst\\."; do
      shown "$box" && fail "a message box \"$box\" showed while waiting for \"$title\""
    done
    [ "$(now_ms)" -lt "$end" ] || fail "no window \"$title\" within $2 s"
    sleep 0.05
  done
  wait_frame "$title" "$2"
}

# client_origin WINDOW CLIENT_WIDTH CLIENT_HEIGHT: sets $cx, $cy to the
# screen position of the client area. The host draws the frame around the
# window (none in a bare Xvfb); should a frame ever be drawn inside it, it
# is as wide on the left, right and bottom, with the caption on top.
client_origin() {
  local X Y WIDTH HEIGHT WINDOW SCREEN
  eval "$(xdotool getwindowgeometry --shell "$1")"
  local side=$(((WIDTH - $2) / 2)) top=$((HEIGHT - $3 - (WIDTH - $2) / 2))
  [ "$side" -ge 0 ] && [ "$top" -ge "$side" ] ||
    fail "window $1 is ${WIDTH}x$HEIGHT, too small for a ${2}x$3 client area"
  cx=$((X + side))
  cy=$((Y + top))
}

# click X Y: a left click at that client position of the last client_origin.
click() {
  xdotool mousemove --sync $((cx + $1)) $((cy + $2))
  xdotool click 1
}

# focus WINDOW TITLE: gives the window the keyboard focus and waits until
# the server says it holds and the program says it has seen it: keys typed
# before the program has served the focus change can be lost.
has_focus() {
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ] && return 0
  xdotool windowfocus "$1" 2>/dev/null
  return 1
}
program_focused() {
  local last
  last=$(grep -xF -e "xvt: focus gained \"$1\"" -e "xvt: focus lost \"$1\"" "$work/stderr" | tail -n 1)
  [ "$last" = "xvt: focus gained \"$1\"" ]
}
both_focused() { has_focus "$1" && program_focused "$2"; }
focus() {
  poll 10 both_focused "$1" "$2" ||
    fail "window $1 (\"$2\") did not take the keyboard focus within 10 s; the server has it on" \
      "$(xdotool getwindowfocus 2>&1), the program said: $(grep -F 'xvt: focus' "$work/stderr" | tail -n 1)"
}

# start PREFIX [ENV...]: starts the program on that Wine prefix.
start() {
  local prefix=$1
  shift
  frames_wanted=()
  env "$@" WINEPREFIX="$prefix" XVTINST_DEMO_PREFIX="$demo" XVT_REPORT_HOST=1 "$prog" \
    >"$work/stdout" 2>"$work/stderr" </dev/null &
  pid=$!
}

# The menu bar's drop-downs: File drops down from client (0, 18); its rows
# start 3 pixels lower, 19 high (separators 9): Open, -, Build, ...
readonly file_x=12 file_y=9 build_x=40 build_y=$((18 + 3 + 19 + 9 + 9))
# What the screen shows, read back from the server: the File drop-down
# (134 x 119) lies over the tree, whose empty part is white; its Exit row
# ends in the menu's grey. A fade shows neither colour until it has ended.
pixel() { import -window root -crop 1x1+"$1"+"$2" -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-Fa-f]\{6\}'; }
# menu_grey_at X Y: the client position shows the menu's grey.
menu_grey_at() { [ "$(pixel $((cx + $1)) $((cy + $2)))" = "#C0C0C0" ]; }
dropdown_shown() { menu_grey_at 128 $((18 + 110)); }
dropdown_gone() { [ "$(pixel $((cx + 128)) $((cy + 18 + 110)))" = "#FFFFFF" ]; }
# A key while a drop-down fades in closes it, as a click elsewhere does:
# keys wait until the fade has ended, when the selected first row of File,
# opened from the keyboard, shows the exact highlight colour.
file_row_highlighted() { [ "$(pixel $((cx + 60)) $((cy + 18 + 3 + 9)))" = "#000080" ]; }
# Without a window manager SDL hands the focus to each window it shows and
# the program gives it straight back: the server's focus is on WINDOW again
# within a bounded time, and the program never saw its window lose it since
# LOSSES (focus_losses) were counted.
focus_losses() { grep -cxF "xvt: focus lost \"$caption\"" "$work/stderr"; }
focus_is() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]; }
check_focus_kept() {
  poll 5 focus_is "$1" || fail "the drop-down kept the keyboard focus from window $1"
  [ "$(focus_losses)" -eq "$2" ] || fail "the program saw its window lose the focus to its drop-down"
}

# exit_by_menu WINDOW: File > Exit from the keyboard (Alt+F, X), then waits.
# The server may hold the focus for the window before the program has served
# the focus events of the windows that came and went before it (the LST
# window, the dialogs); one served while the menu is open closes the menu as
# a change of activation should. So a menu that closed without Exit is
# opened again, three times at most.
exit_by_menu() {
  local try losses
  for try in 1 2 3; do
    focus "$1" "$caption"
    client_origin "$1" 734 441
    losses=$(focus_losses)
    xdotool key alt+f
    wait_frame "" 10
    if ! poll 5 file_row_highlighted; then
      # Closed by such a focus event before its fade ended: open it again.
      [ "$try" -lt 3 ] || fail "the File drop-down did not stay open to the end of its fade in three tries"
      xdotool key Escape Escape
      continue
    fi
    check_focus_kept "$1" "$losses"
    xdotool key x
    poll 5 exited && break
    [ "$try" -lt 3 ] || fail "File > Exit (Alt+F, X) did not end the program in three tries"
    xdotool key Escape Escape
  done
  wait "$pid"
  local status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "the program ended with status $status"
}

# lines FILE LINE...: writes the lines as a mission list is written, CR LF each.
lines() {
  local file=$1
  shift
  printf '%s\r\n' "$@" >"$file"
}

# ---- an installation on a copy of the demo prefix

prefix="$work/prefix"
cp -a "$demo" "$prefix"
combat="$prefix/drive_c/Games/XvT/combat"
start "$prefix"
wait_window "$caption" 30
main=$win
focus "$main" "$caption"
client_origin "$main" 734 441
panel_x=440 panel_y=136

# File > Build Mission List by the mouse: the drop-down shows without
# taking the keyboard focus; a click on it while it fades shows it whole.
losses=$(focus_losses)
click $file_x $file_y
wait_frame "" 10
poll 10 dropdown_shown || fail "the File drop-down did not open below File"
check_focus_kept "$main" "$losses"
click $build_x $build_y
poll 10 dropdown_gone || fail "the File drop-down stayed open after Build Mission List"
# The build runs within the click, so this click is served after it, when
# OpenFile is enabled.
click $((panel_x + 16 + 11)) $((panel_y + 8 + 11))  # OpenFile
wait_window Open 15
focus "$win" Open
client_origin "$win" 424 262
click 210 204  # the file name edit
xdotool type --delay 15 'C:\Games\XvT\combat\ember.tie'
xdotool key Return
poll 15 gone Open || fail "the file-open dialog did not take the typed path"

focus "$main" "$caption"
client_origin "$main" 734 441
click $((panel_x + 104 + 40)) $((panel_y + 112 + 9))  # MissionName
xdotool type --delay 15 'Ember Fall'
click $((panel_x + 104 + 40)) $((panel_y + 89 + 10))  # MissionSection's edit field
xdotool type --delay 15 '[Deep Strike]'
click $((panel_x + 128 + 76)) $((panel_y + 184 + 11))  # Install
wait_window Confirm 15
confirm=$win
client_origin "$confirm" 356 109
click $((256 + 44)) $((24 + 11))  # OK
poll 15 gone Confirm || fail "the Confirm dialog stayed open after OK"

# Highest numbers: mission.lst 7, Rebel.lst 1, imperial.lst 2. The section
# stands in mission.lst only: the mission goes first into it there, and into
# a new section at the end of the other two.
lines "$work/mission.lst" // '[Frontier Patrol]' // 1 patrol1.tie 'Quiet Border' 2 patrol2.tie 'Convoy Ambush' \
  // '[Deep Strike]' // 8 ember.tie 'Ember Fall' 7 strike7.tie 'Relay Station Raid'
lines "$work/Rebel.lst" // '[Frontier Patrol]' // 1 patrol1.tie 'Quiet Border' // '[Deep Strike]' // 2 ember.tie \
  'Ember Fall'
lines "$work/imperial.lst" // '[Frontier Patrol]' // 2 patrol2.tie 'Convoy Ambush' // '[Deep Strike]' // 3 \
  ember.tie 'Ember Fall'
written() {
  for f in mission.lst Rebel.lst imperial.lst; do
    cmp -s "$work/$f" "$combat/$f" || return 1
  done
}
if ! poll 15 written; then
  for f in mission.lst Rebel.lst imperial.lst; do
    cmp -s "$work/$f" "$combat/$f" && continue
    echo "$combat/$f differs; expected, then found:"
    od -c "$work/$f" | sed 's/^/  /'
    od -c "$combat/$f" | sed 's/^/  /'
  done
  fail "the combat lists do not hold the new mission"
fi
exit_by_menu "$main"

# Nothing else was touched: every other list is byte for byte the demo's.
while IFS= read -r -d '' f; do
  rel=${f#"$demo"/}
  case "$rel" in drive_c/Games/XvT/combat/*) continue ;; esac
  cmp -s "$f" "$prefix/$rel" || fail "$rel changed"
done < <(find "$demo" -iname '*.lst' -print0)
# and no file came or went (a temporary file left over, a list saved under a new name).
[ "$(cd "$demo" && find . | sort)" = "$(cd "$prefix" && find . | sort)" ] || fail "files were added or removed"

# ---- Help > Help, and Help > About with its picture moving

# The Help drop-down (82 x 53 at client 82, 18) lies over the empty tree:
# its rows Help at client y 21 and About at 49, 19 high each.
readonly help_x=93 help_y=9 help_row_y=30 about_row_y=58
help_dropdown_shown() { menu_grey_at 150 64; }
# help_command ROW_Y: opens Help by the mouse and clicks that row.
help_command() {
  focus "$main" "$caption"
  client_origin "$main" 734 441
  click $help_x $help_y
  wait_frame "" 10
  poll 10 help_dropdown_shown || fail "the Help drop-down did not open below Help"
  click 115 "$1"
}
# The About picture, 100 x 75 at client 8, 8, as the server shows it.
about_picture() { import -window root -crop 100x75+$((cx + 8))+$((cy + 8)) -depth 8 rgb:- 2>/dev/null; }
picture_changed() { about_picture >"$work/about-now.rgb" && ! cmp -s "$work/about-first.rgb" "$work/about-now.rgb"; }

start "$prefix"
wait_window "$caption" 30
main=$win
help_command $help_row_y
wait_window 'Mission Installer - Instructions' 15
help_command $about_row_y
wait_window 'About this Program' 15
client_origin "$win" 315 177
about_picture >"$work/about-first.rgb"
[ -s "$work/about-first.rgb" ] || fail "no picture of the About window could be read from the screen"
poll 10 picture_changed || fail "the About picture did not move within 10 s"
if [ -n "${XVT_E2E_SHOT_DIR:-}" ]; then
  for f in first now; do
    convert -size 100x75 -depth 8 "rgb:$work/about-$f.rgb" "$XVT_E2E_SHOT_DIR/about-$f.png"
  done
fi
click $((40 + 120)) $((144 + 11))  # Close this window
poll 10 gone 'About this Program' || fail "the About window stayed open after \"Close this window\""
exit_by_menu "$main"

# ---- a click on another program closes an open drop-down

if command -v xmessage >/dev/null; then
  start "$prefix"
  wait_window "$caption" 30
  main=$win
  focus "$main" "$caption"
  client_origin "$main" 734 441
  xmessage -geometry 200x60+0+0 'another program' &
  other=$!
  poll 10 shown xmessage || fail "xmessage did not show"
  losses=$(focus_losses)
  click $file_x $file_y
  wait_frame "" 10
  poll 10 dropdown_shown || fail "the File drop-down did not open"
  check_focus_kept "$main" "$losses"
  xdotool mousemove --sync 100 30 click 1
  xdotool windowfocus "$(visible xmessage)"
  poll 10 dropdown_gone || fail "the File drop-down stayed open when another program was clicked"
  kill "$other" 2>/dev/null
  wait "$other" 2>/dev/null
  exit_by_menu "$main"
else
  echo "note: no xmessage, so no other program to click"
fi

# ---- no game in the user's prefix: a scratch copy of the demo, gone after a kill

mkdir -p "$work/no-games" "$work/tmp"
start "$work/no-games" TMPDIR="$work/tmp"
wait_window "$caption" 30
grep -q 'scratch copy' "$work/stderr" || fail "no notice of the scratch copy on stderr"
copy=$(find "$work/tmp" -mindepth 2 -maxdepth 2 -name prefix)
[ -n "$copy" ] && [ -f "$copy/system.reg" ] || fail "no scratch copy of the demo prefix in TMPDIR"
kill -TERM "$pid"
poll 15 exited || fail "SIGTERM did not end the program"
wait "$pid"
status=$?
pid=""
[ "$status" -eq 143 ] || fail "after SIGTERM the exit status is $status, not 143"
[ -z "$(ls -A "$work/tmp")" ] || fail "the scratch copy was left behind: $(ls -A "$work/tmp")"
echo "installed through the windows; scratch copy removed"
