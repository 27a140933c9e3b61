#!/usr/bin/env bash
# Writes the sample installation into build/sample (once per bank-tool build) and installs the
# sign pages where the regulations viewer looks for them, C:\voduvezu\bzt\ in the prefix.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bank="$top/build/host/bin/muhe-bank"
sample="$top/build/sample"
if [ ! -x "$bank" ]; then
  echo "sample: the bank tool is not built yet" >&2
  exit 0
fi
if [ ! -f "$sample/jjj" ] || [ "$bank" -nt "$sample/jjj" ] || [ -n "$(find "$top/assets" -newer "$sample/jjj" -print -quit)" ]; then
  rm -rf "$sample.tmp"
  "$bank" sample "$sample.tmp" >&2
  rm -rf "$sample"
  mv "$sample.tmp" "$sample"
fi
source "$top/scripts/wine-env.sh"
bzt="$WINEPREFIX/drive_c/voduvezu/bzt"
mkdir -p "$bzt"
cp -r "$sample/bzt/." "$bzt/"
echo "$sample"
