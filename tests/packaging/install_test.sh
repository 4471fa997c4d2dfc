#!/usr/bin/env bash
# install_test.sh BUILD_DIR SOURCE_DIR: `cmake --install` into a temporary
# DESTDIR lays out the programs, the demo prefix, the desktop entry, the
# icons, the metainfo and the man pages; the desktop entry and the metainfo
# pass their validators; the installed command line works on the installed
# demo prefix; and the installed program, in an X server of its own, works
# on a copy of the installed demo prefix, not the source tree's.
set -uo pipefail
build=$1 source=$2
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
failed=0
fail() { echo "FAIL: $*"; failed=1; }

root=$work/root
usr=$root/usr
if ! DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1; then
  sed 's/^/  /' "$work/install.log"
  fail "cmake --install failed"
  exit 1
fi

# The layout, file by file.
app=org.xvtinst.Installer
expected=(
  bin/xvtinst-cli
  share/xvtinst/demo-prefix/system.reg
  share/applications/$app.desktop
  share/metainfo/$app.metainfo.xml
  share/icons/hicolor/scalable/apps/xvtinst.svg
  share/man/man1/xvtinst.1.gz
  share/man/man1/xvtinst-cli.1.gz
)
for size in 16 32 48 64 128 256; do
  expected+=("share/icons/hicolor/${size}x${size}/apps/xvtinst.png")
done
[ -e "$build/app/xvtinst" ] && expected+=(bin/xvtinst)
for f in "${expected[@]}"; do
  [ -f "$usr/$f" ] || fail "not installed: usr/$f"
done
for f in bin/xvtinst bin/xvtinst-cli; do
  if [ -e "$usr/$f" ] && [ ! -x "$usr/$f" ]; then fail "usr/$f is not executable"; fi
done
# The drive link stays a link, so the copy's drive C is the copy's own.
[ "$(readlink "$usr/share/xvtinst/demo-prefix/dosdevices/c:")" = ../drive_c ] ||
  fail "dosdevices/c: is not the link ../drive_c"
for size in 16 32 48 64 128 256; do
  png=$usr/share/icons/hicolor/${size}x${size}/apps/xvtinst.png
  # Width and height are the big-endian words at bytes 16 and 20 of a PNG.
  [ -f "$png" ] && [ "$(od --endian=big -An -tu4 -j16 -N8 "$png" | tr -s ' ')" = " $size $size" ] ||
    fail "icon ${size}x${size} has another size"
done
grep -qx 'Categories=Game;Utility;' "$usr/share/applications/$app.desktop" || fail "desktop entry categories"

# The validators, where installed (scripts/packages.txt brings them).
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/$app.desktop" || fail "desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net --explain "$usr/share/metainfo/$app.metainfo.xml" >"$work/as.log" 2>&1 ||
    { sed 's/^/  /' "$work/as.log"; fail "appstreamcli validate"; }
fi
for page in xvtinst xvtinst-cli; do
  zcat "$usr/share/man/man1/$page.1.gz" | groff -man -ww -z 2>"$work/man.log" || fail "man page $page"
  [ -s "$work/man.log" ] && { sed 's/^/  /' "$work/man.log"; fail "man page $page has warnings"; }
done

# The installed command line on the installed demo prefix: the same tree as
# the source tree's demo prefix gives.
demo=$usr/share/xvtinst/demo-prefix
cli=$usr/bin/xvtinst-cli
"$cli" --wine-prefix "$demo" tree >"$work/tree" 2>"$work/err" || fail "installed xvtinst-cli tree: $(cat "$work/err")"
"$cli" --wine-prefix "$source/examples/demo-prefix" tree >"$work/tree.source" 2>/dev/null
tail -n 1 "$work/tree" | grep -Eq '^[1-9][0-9]* Missions$' || fail "installed tree ends in: $(tail -n 1 "$work/tree")"
cmp -s "$work/tree" "$work/tree.source" || fail "the installed demo prefix lists other missions"
[ "$("$cli" --wine-prefix "$demo" paths)" = "$(printf 'XvT: C:\\Games\\XvT\nBoP: C:\\Games\\XvT\\BalanceOfPower')" ] ||
  fail "installed xvtinst-cli paths: $("$cli" --wine-prefix "$demo" paths 2>&1)"

# The installed window program, in an X server of its own; skipped (77)
# where there is no Xvfb.
if [ -x "$usr/bin/xvtinst" ]; then
  bash "$source/tests/e2e/lib/own_xvfb.sh" bash "$source/tests/packaging/installed_program.sh" "$usr/bin/xvtinst" "$demo"
  status=$?
  [ "$status" -eq 0 ] || [ "$status" -eq 77 ] || fail "the installed xvtinst"
fi

[ "$failed" -eq 0 ] && echo "install layout, validators and installed programs: ok"
exit "$failed"
