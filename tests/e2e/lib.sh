# Helpers of the end-to-end tests (sourced). Each test starts muhe.exe under Wine in a working
# directory of its own, drives it with real key presses through xdotool and observes it
# through muhe-probe.exe (the program's automation interface) and by screenshots.
set -uo pipefail
e2e_top=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
source "$e2e_top/scripts/wine-env.sh"
export MUHE_AUTOMATION=1
MUHE_EXE="$e2e_top/build/win/bin/muhe.exe"
MUHE_PROBE="$e2e_top/build/win/bin/muhe-probe.exe"
MUHE_SAMPLE="$e2e_top/build/sample"
E2E_SHOTS="$e2e_top/build/screenshots"
# Without a window manager Wine waits for one whenever a managed window goes; the trainer's
# windows are unmanaged while the end-to-end tests run.
wine reg add 'HKCU\Software\Wine\AppDefaults\muhe.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
e2e_failures=0
e2e_name=$(basename "${BASH_SOURCE[1]:-e2e}" .sh)

# A fresh working directory holding a copy of the sample installation's files (or none).
e2e_workdir() {
  local dir
  dir=$(mktemp -d "/tmp/muhe-e2e-XXXXXX")
  if [ "${1:-sample}" = sample ]; then
    cp "$MUHE_SAMPLE/jjj" "$MUHE_SAMPLE/bz" "$dir/"
    [ "${2:-}" = nohelp ] || cp "$MUHE_SAMPLE/bangzhu.chm" "$dir/"
  fi
  echo "$dir"
}

# Starts the trainer in a working directory; sets MUHE_PID.
e2e_start() {
  (cd "$1" && exec wine "$MUHE_EXE" >"${MUHE_LOG:-/dev/null}" 2>&1) &
  MUHE_PID=$!
}

# Waits until a window whose title matches appears; prints its X window id.
e2e_wait_window() {
  local title=$1 timeout=${2:-30} id=""
  for _ in $(seq 1 $((timeout * 4))); do
    id=$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n 1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.25
  done
  return 1
}

# The active window's state as JSON.
e2e_dump() { wine "$MUHE_PROBE" dump 2>/dev/null | tr -d '\r'; }

# Sends keys (xdotool key names) as typed on the keyboard, to the window that has the focus
# (the trainer's active window; `id` names the window the test means and must be it). Keys
# go through the X test extension like real typing: a key event sent to one window directly
# reaches Wine twice when that window closes on it.
e2e_keys() {
  local id=$1
  shift
  for key in "$@"; do
    xdotool key "$key" 2>/dev/null
    sleep 0.3
  done
}

# Waits for a box with the given caption and answers it with a key (Return for its default
# button). The box goes away on the key-down, so the key-up may find no window: harmless.
e2e_answer_box() {
  local id
  id=$(e2e_wait_window "$1" 10) || return 1
  sleep 0.3
  xdotool key "$2" 2>/dev/null
  sleep 0.5
}

# A property of a named component in a dump.
e2e_field() { jq -r --arg n "$2" --arg k "$3" '.components[] | select(.name == $n) | .[$k]' <<<"$1"; }

# Clicks the active window at a point of its client area, as the mouse would.
e2e_click_at() {
  local d ox oy
  d=$(e2e_dump)
  ox=$(jq -r '.window.client_origin.x' <<<"$d")
  oy=$(jq -r '.window.client_origin.y' <<<"$d")
  xdotool mousemove $((ox + $1)) $((oy + $2)) click --repeat "${3:-1}" --delay 120 1 2>/dev/null
  sleep 0.8
}

# Clicks the row of the tree `TreeView1` that shows the text.
e2e_select_tree_row() {
  local at
  at=$(jq -r --arg t "$1" '[.components[] | select(.name == "TreeView1") | .nodes[] | select(.text == $t)][0] |
    "\(.left + (.width / 2 | floor)) \(.top + (.height / 2 | floor))"' <<<"$(e2e_dump)")
  e2e_click_at $at
}

e2e_screenshot() {
  mkdir -p "$E2E_SHOTS"
  import -window root "$E2E_SHOTS/$1.png" 2>/dev/null || true
}

e2e_alive() { kill -0 "$MUHE_PID" 2>/dev/null; }

e2e_check() {
  local what=$1
  shift
  if "$@"; then
    echo "  ok: $what"
  else
    echo "  FAILED: $what"
    e2e_failures=$((e2e_failures + 1))
  fi
}

e2e_finish() {
  wineserver -k 2>/dev/null || true
  wait 2>/dev/null || true
  [ "$e2e_failures" -eq 0 ] && { echo "$e2e_name: passed"; return 0; }
  echo "$e2e_name: $e2e_failures check(s) failed"
  return 1
}
