#!/usr/bin/env bash
# Configures (once) and builds both trees: build/host (native, sanitizers, tools, portable
# tests) and build/win (mingw-w64, the program and its Windows tests); `build.sh host` or
# `build.sh win` builds one of them (the Windows tree needs the host tools). Ninja keeps a log of
# every step's time (build/*/.ninja_log); ccache answers what was compiled before.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
jobs=${MUHE_JOBS:-$(nproc)}
# Paths inside the tree are hashed relative to it, so a second clone or worktree reuses the cache;
# files compiled with a precompiled header are cached too.
export CCACHE_BASEDIR="$top" CCACHE_NOHASHDIR=true
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
which=${1:-both}
if [ "$which" != win ]; then
  if [ ! -f "$top/build/host/CMakeCache.txt" ]; then
    cmake -G Ninja -S "$top" -B "$top/build/host" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  fi
  cmake --build "$top/build/host" -j"$jobs"
fi
if [ "$which" != host ]; then
  if [ ! -f "$top/build/win/CMakeCache.txt" ]; then
    cmake -G Ninja -S "$top" -B "$top/build/win" -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64.cmake" \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMUHE_HOST_BIN="$top/build/host/bin" >/dev/null
  fi
  cmake --build "$top/build/win" -j"$jobs"
fi
