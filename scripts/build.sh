#!/usr/bin/env bash
# Configures (once) and builds both trees: build/host (native, sanitizers, tools, portable
# tests) and build/win (mingw-w64, the program and its Windows tests).
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${MUHE_JOBS:-$(nproc)}
if [ ! -f "$top/build/host/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$top/build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$top/build/host" -j"$jobs"
if [ ! -f "$top/build/win/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$top/build/win" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMUHE_HOST_BIN="$top/build/host/bin" >/dev/null
fi
cmake --build "$top/build/win" -j"$jobs"
