#!/usr/bin/env bash
# Idempotent set-up shared by the run and test commands: Debian packages, the SQLite
# amalgamation for the Windows build, and the project's own Wine prefix. Every step checks
# first, so a machine that is ready passes through in about a second.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build="$top/build"
mkdir -p "$build"

packages=(cmake g++ googletest libsqlite3-dev sqlite3 tcl dpkg-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-x86-64-dev wine64 wine xvfb xauth xdotool x11-apps imagemagick
  fonts-wqy-microhei fonts-wine fp-utils libchm-bin kchmviewer locales jq nsis ccache ninja-build)

# One query for all of them: each dpkg-query reads the whole package database.
installed=$(dpkg-query -W -f='${Package} ${db:Status-Status}\n' "${packages[@]}" 2>/dev/null | awk '$2 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qx -- "$p" <<<"$installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}" >&2
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Chinese system buttons in Wine need a zh_CN locale.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  echo "setup: generating zh_CN.UTF-8" >&2
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

# SQLite amalgamation, generated from Debian's own source package.
amal="$build/sqlite-amalgamation"
if [ ! -s "$amal/sqlite3.c" ]; then
  echo "setup: generating the SQLite amalgamation" >&2
  # Source entries follow the machine's own binary entries (same mirror, suites, components).
  apt_files=(/etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
  theirs=()
  for f in "${apt_files[@]}"; do
    if [ -f "$f" ] && [[ "$f" != */muhe-src.* ]]; then theirs+=("$f"); fi
  done
  if [ ${#theirs[@]} -eq 0 ] || ! grep -Eqs '^[[:space:]]*(deb-src[[:space:]]|Types:.*deb-src)' "${theirs[@]}"; then
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    rm -f /etc/apt/sources.list.d/muhe-src.sources /etc/apt/sources.list.d/muhe-src.list
    bash "$top/scripts/deb-src.sh" "$release" /etc/apt/sources.list.d/muhe-src "${theirs[@]}"
    apt-get update -qq || echo "setup: apt-get update reported errors; trying the sources anyway" >&2
  fi
  src="$build/sqlite-src"
  rm -rf "$src" && mkdir -p "$src"
  (cd "$src" && apt-get source -qq sqlite3 >/dev/null 2>&1)
  dir=$(find "$src" -maxdepth 1 -mindepth 1 -type d -name 'sqlite3-*' | head -n 1)
  [ -n "$dir" ] || { echo "setup: apt-get source sqlite3 gave no source tree" >&2; exit 1; }
  (cd "$dir" && ./configure --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  mkdir -p "$amal"
  cp "$dir/sqlite3.c" "$dir/sqlite3.h" "$amal/"
  rm -rf "$src"
fi

# The project's Wine prefix. Raise prefix_version whenever its settings below change: a prefix
# of ours made with older settings is brought up to date in place, anything else is made anew.
source "$top/scripts/wine-env.sh"
prefix_version=4
if [ ! -f "$WINEPREFIX/.muhe-prefix-v$prefix_version" ]; then
  ours=false
  if [ -f "$WINEPREFIX/system.reg" ]; then
    [ -f "$WINEPREFIX/.muhe-ready" ] || compgen -G "$WINEPREFIX/.muhe-prefix-v*" >/dev/null && ours=true
  fi
  if $ours; then
    echo "setup: updating the Wine prefix $WINEPREFIX" >&2
  else
    echo "setup: creating the Wine prefix $WINEPREFIX" >&2
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
  fi
  # Debian's Wine looks for its own fonts (Marlett draws the caption buttons) in a folder that
  # does not exist; the prefix names the folder fonts-wine installs them in.
  wine_fonts=$(dirname "$(dpkg -L fonts-wine | grep '/marlett\.ttf$' | head -n 1)")
  reg="$build/muhe-prefix.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Decorated"="N"\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    # WenQuanYi Micro Hei stands for 宋体 and the dialog font: Zen Hei's small sizes come out
    # monochrome under Wine with the tops of many characters cut off (木 read as 大).
    for face in '宋体' 'SimSun' 'MS Shell Dlg' 'MS Shell Dlg 2'; do
      printf '"%s"="WenQuanYi Micro Hei"\r\n' "$face"
    done
    printf '\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n'
    printf '"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\Fonts]\r\n"Path"="Z:%s"\r\n\r\n' "${wine_fonts//\//\\\\}"
    # A compiled help file opens in Debian's CHM viewer, through scripts/help-viewer.sh: Wine's
    # own viewer needs a browser engine the prefix does not have.
    printf '[HKEY_CLASSES_ROOT\\.chm]\r\n@="muhe.chm"\r\n\r\n'
    printf '[HKEY_CLASSES_ROOT\\muhe.chm]\r\n@="Compiled HTML Help File"\r\n\r\n'
    printf '[HKEY_CLASSES_ROOT\\muhe.chm\\shell\\open\\command]\r\n'
    printf '@="Z:\\\\bin\\\\sh \\"%s\\" \\"%%1\\""\r\n\r\n' "$top/scripts/help-viewer.sh"
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } > "$reg"
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)" >/dev/null 2>&1
  wineserver -w || true
  grep -q 'WenQuanYi' "$WINEPREFIX/system.reg" || { echo "setup: font mapping did not reach the prefix" >&2; exit 1; }
  grep -q 'help-viewer' "$WINEPREFIX/system.reg" || { echo "setup: the help viewer did not reach the prefix" >&2; exit 1; }
  grep -q '^"Path"="Z:' "$WINEPREFIX/user.reg" || { echo "setup: the font folder did not reach the prefix" >&2; exit 1; }
  rm -f "$WINEPREFIX"/.muhe-ready "$WINEPREFIX"/.muhe-prefix-v*
  touch "$WINEPREFIX/.muhe-prefix-v$prefix_version"
fi
