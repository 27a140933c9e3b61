# Environment for every Wine process of the project (sourced, not run).
_muhe_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# MUHE_WINEPREFIX names a copy of the prefix, for Wine programs that must not share a server
# with another run on the same machine.
export WINEPREFIX="${MUHE_WINEPREFIX:-$_muhe_top/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=zh_CN.UTF-8
export LC_ALL=zh_CN.UTF-8
unset _muhe_top
