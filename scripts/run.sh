#!/usr/bin/env bash
# Starts the trainer on the sample installation: under Wine on the user's display, or, when
# there is no display, under Xvfb, saving a screenshot of the main window.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
bash "$top/scripts/build.sh" >/dev/null
sample=$(bash "$top/scripts/sample.sh")
exe="$top/build/win/bin/muhe.exe"
if [ ! -f "$exe" ]; then
  echo "Prepared: host tools in build/host/bin, Windows binaries in build/win/bin,"
  echo "the sample installation in $sample (jjj, bz, bangzhu.chm, bzt/),"
  echo "the sign pages in C:\\voduvezu\\bzt\\ of the prefix build/wineprefix."
  echo "muhe.exe itself is not built yet."
  exit 0
fi
source "$top/scripts/wine-env.sh"
# The trainer works on a copy, so that a session's marks never change the sample itself.
work="$top/build/run"
if [ ! -f "$work/jjj" ] || [ "$sample/jjj" -nt "$work/jjj" ]; then
  rm -rf "$work" && mkdir -p "$work"
  cp "$sample/jjj" "$sample/bz" "$sample/bangzhu.chm" "$work/"
fi
cd "$work"
if [ -n "${DISPLAY:-}" ] && xdotool getdisplaygeometry >/dev/null 2>&1; then
  # On a desktop the window manager manages the trainer's windows (the tests turn that off).
  wine reg delete 'HKCU\Software\Wine\AppDefaults\muhe.exe\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  exec wine "$exe"
fi
shot="$top/build/screenshots/run-main.png"
mkdir -p "$(dirname "$shot")"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  wine "$1" & pid=$!
  for i in $(seq 1 60); do
    id=$(xdotool search --name "木禾驾驶员考试系统" 2>/dev/null | head -n 1) && [ -n "$id" ] && break
    sleep 0.5
  done
  sleep 2
  import -window root "$2"
  wineserver -k 2>/dev/null || true
  wait $pid 2>/dev/null || true' _ "$exe" "$shot"
echo "No display: the trainer ran under Xvfb; screenshot of its main window: $shot"
