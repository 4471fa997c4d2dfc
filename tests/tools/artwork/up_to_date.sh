#!/usr/bin/env bash
# up_to_date.sh XVT_ARTWORK SOURCE_DIR: the generator, run into an empty
# tree, writes exactly the files kept in the source tree.
set -uo pipefail
gen=$1 top=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tools/artwork/pictures" "$work/ui/src" "$work/platform/win32/dialogs"
"$gen" "$work" || { echo "FAIL: xvt-artwork failed"; exit 1; }
failed=0
while IFS= read -r -d '' f; do
  rel=${f#"$work"/}
  cmp -s "$f" "$top/$rel" || { echo "FAIL: $rel differs from what tools/artwork draws; run xvt-artwork ."; failed=1; }
done < <(find "$work" -type f -print0)
[ "$(find "$work/tools/artwork/pictures" -type f | wc -l)" -eq "$(find "$top/tools/artwork/pictures" -type f | wc -l)" ] ||
  { echo "FAIL: tools/artwork/pictures holds files the generator no longer draws"; failed=1; }
[ "$failed" -eq 0 ] && echo "artwork up to date"
exit "$failed"
