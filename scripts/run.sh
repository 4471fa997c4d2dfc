#!/usr/bin/env bash
# Builds the program and starts it: scripts/run.sh opens its window on the
# Wine prefix in WINEPREFIX (else ~/.wine), or, when that holds neither game,
# on a scratch copy of examples/demo-prefix that is removed at exit.
# Needs a display; without one: xvfb-run -a scripts/run.sh
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
XVT_TARGET=xvtinst "$top/scripts/build.sh" build >&2
exec "$top/build/app/xvtinst" "$@"
