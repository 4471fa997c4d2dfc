#!/usr/bin/env bash
# scripts/check-deb-fresh.sh DEB [ROOT]: installs the package on a fresh,
# minimal Debian system and runs both programs there. ROOT is a folder for
# that system (made with debootstrap when it holds none; kept afterwards so
# that a second run is quick). Needs root, debootstrap and the network: a
# check to run by hand before a release, not part of the test suite.
#
# The package's dependencies come from apt inside the fresh system, so a
# library the package uses but does not name makes a program fail here.
set -euo pipefail
deb=$(realpath "$1")
root=${2:-/tmp/xvtinst-fresh-root}
suite=${SUITE:-bookworm}
if [ ! -x "$root/usr/bin/apt-get" ]; then
  echo "== making a minimal $suite system in $root" >&2
  debootstrap --variant=minbase "$suite" "$root" http://deb.debian.org/debian >/dev/null
fi
mounted=()
cleanup() {
  for m in "${mounted[@]}"; do umount -l "$m" 2>/dev/null || true; done
}
trap cleanup EXIT
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/package.deb"
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root DEBIAN_FRONTEND=noninteractive "$@"; }

echo "== installing the package and what it depends on" >&2
in_root apt-get update -qq
in_root apt-get install -y -qq --no-install-recommends /tmp/package.deb >/dev/null
in_root dpkg-query -W -f='${Package} ${Version}\n  Depends: ${Depends}\n' xvtinst

echo "== xvtinst-cli on the installed demo prefix" >&2
demo=/usr/share/xvtinst/demo-prefix
in_root sh -c "rm -rf /tmp/prefix && cp -r $demo /tmp/prefix && WINEPREFIX=/tmp/prefix xvtinst-cli paths"

echo "== xvtinst in an X server, until its main window is shown" >&2
in_root apt-get install -y -qq --no-install-recommends xvfb xauth >/dev/null
# The first start in a fresh system also builds fontconfig's caches: allow a minute.
in_root sh -c '
  Xvfb :77 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 & xpid=$!
  for i in $(seq 1 200); do [ -S /tmp/.X11-unix/X77 ] && break; sleep 0.1; done
  DISPLAY=:77 XVT_REPORT_HOST=1 WINEPREFIX=/tmp/prefix xvtinst 2>/tmp/stderr & pid=$!
  for i in $(seq 1 600); do grep -q "frame shown" /tmp/stderr && break; sleep 0.1; done
  kill $pid 2>/dev/null; wait $pid 2>/dev/null; kill $xpid 2>/dev/null; wait $xpid 2>/dev/null
  cat /tmp/stderr
  grep -q "frame shown \"Varnholt XvT Mission Installer\"" /tmp/stderr'
echo "the package installs and both programs run on a fresh $suite system" >&2
