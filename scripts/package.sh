#!/usr/bin/env bash
# Builds the Windows installer build/dist/muhe-setup.exe with NSIS: the program and the bank
# tool, the sample installation's databases and help file, and the sign pages.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh" >&2
bash "$top/scripts/build.sh" >&2
sample=$(bash "$top/scripts/sample.sh")

dist="$top/build/dist"
stage="$dist/stage"
rm -rf "$stage"
mkdir -p "$stage"
for exe in muhe.exe muhe-bank.exe; do
  x86_64-w64-mingw32-strip -o "$stage/$exe" "$top/build/win/bin/$exe"
done
cp "$sample/jjj" "$sample/bz" "$sample/bangzhu.chm" "$stage/"
cp -r "$sample/bzt" "$stage/bzt"
cp "$top/build/host/art/muhe.ico" "$stage/"

# The uninstaller removes exactly the sign pages it installed, deepest folders last.
{
  (cd "$stage/bzt" && find . -type f | LC_ALL=C sort) | while IFS= read -r f; do
    f=${f#./}
    printf 'Delete "${SIGN_DIR}\\%s"\n' "${f//\//\\}"
  done
  (cd "$stage/bzt" && find . -mindepth 1 -type d | LC_ALL=C sort -r) | while IFS= read -r d; do
    d=${d#./}
    printf 'RMDir "${SIGN_DIR}\\%s"\n' "${d//\//\\}"
  done
} > "$stage/sign-pages-uninstall.nsh"

makensis -V2 -INPUTCHARSET UTF8 -DSTAGE="$stage" -DOUTFILE="$dist/muhe-setup.exe" "$top/installer/muhe.nsi" >&2
echo "$dist/muhe-setup.exe"
