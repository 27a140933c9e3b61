#!/usr/bin/env bash
# Runs the host benchmarks in an optimised build without sanitizers (build/bench). Figures
# are reported, never asserted: timing is no pass/fail matter.
#   --wine-only    only the in-program figures under Wine (build/win's muhe.exe as it is)
#   --trace FILE   runs muhe.exe with the Wine server tracing every request (wineserver -d2)
#                  into FILE, which scripts/bench-requests.sh counts
#   --exe FILE     another build named muhe.exe (a copy kept from before a change, run in turns)
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
wine_only=0
trace=""
exe="$top/build/win/bin/muhe.exe"
while [ $# -gt 0 ]; do
  case "$1" in
    --wine-only) wine_only=1; shift ;;
    --trace) trace=$2; shift 2 ;;
    --exe) exe=$(realpath "$2"); shift 2 ;;
    *) break ;;
  esac
done
bash "$top/scripts/setup.sh"
if [ "$wine_only" -eq 0 ]; then
  cmake -S "$top" -B "$top/build/bench" -DMUHE_SANITIZE=OFF -DMUHE_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$top/build/bench" -j"$(nproc)" >/dev/null
  for bench in "$top"/build/bench/bin/*_bench; do
    [ -x "$bench" ] || continue
    echo "== $(basename "$bench")"
    "$bench" --benchmark_counters_tabular=true "$@"
  done
fi

# The in-program figures, under Wine, on a copy of the sample installation.
if [ -f "$exe" ] && [ -f "$top/build/sample/jjj" ]; then
  echo "== muhe.exe --bench (under Wine)"
  work=$(mktemp -d /tmp/muhe-bench-XXXXXX)
  cp "$top/build/sample/jjj" "$top/build/sample/bz" "$work/"
  source "$top/scripts/wine-env.sh"
  wine reg add 'HKCU\Software\Wine\AppDefaults\muhe.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # That started a Wine server (and its desktop) outside any display: the benchmark must not
  # join it, or it finds no display. Wait until it has ended.
  timeout 60 wineserver -w || wineserver -k
  # The regulations viewer reads its pages from the fixed folder on drive C.
  mkdir -p "$WINEPREFIX/drive_c/voduvezu/bzt"
  cp -r "$top/build/sample/bzt/." "$WINEPREFIX/drive_c/voduvezu/bzt/"
  # Xvfb may end with a status of its own after the program has written its figures: the
  # figures are printed whatever that status, and a missing file is said so.
  status=0
  # Traced: a Wine server of its own, started inside the display, writes every request with its
  # name and arguments; the program joins it.
  run='wine "$0" --bench'
  [ -n "$trace" ] && run='wineserver -f -d2 2>"$1" & sleep 1; wine "$0" --bench; wineserver -w'
  (cd "$work" && xvfb-run -a -s "-screen 0 1280x1024x24" bash -c "$run" "$exe" "$trace" >/dev/null 2>&1) || status=$?
  if [ -s "$work/bench.txt" ]; then
    cat "$work/bench.txt"
  else
    echo "muhe.exe --bench wrote no figures (exit status $status)" >&2
  fi
  [ "$status" -eq 0 ] || echo "(xvfb-run ended with status $status)" >&2
  rm -rf "$work"
fi
