#!/usr/bin/env bash
# Builds the program and runs it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/deps.sh"
"$top/scripts/build.sh" build >&2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp -a "$top/examples/demo-prefix" "$scratch/prefix"
echo "Using a scratch copy of the demo install: $scratch/prefix" >&2
"$top/build/cli/xvtinst-cli" --wine-prefix "$scratch/prefix" tree "$@"
