#!/usr/bin/env bash
# Runs the host benchmarks in an optimised build without sanitizers (build/bench). Figures
# are reported, never asserted: timing is no pass/fail matter.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
bash "$top/scripts/setup.sh"
cmake -S "$top" -B "$top/build/bench" -DMUHE_SANITIZE=OFF -DMUHE_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$top/build/bench" -j"$(nproc)" >/dev/null
for bench in "$top"/build/bench/bin/*_bench; do
  [ -x "$bench" ] || continue
  echo "== $(basename "$bench")"
  "$bench" --benchmark_counters_tabular=true "$@"
done
