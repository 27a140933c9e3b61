#!/usr/bin/env bash
# "7" on the main window hands bangzhu.chm to the shell; the project's Wine prefix opens it in
# the CHM viewer, whose window carries the help's Chinese title, and the trainer stays as it was.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
before=$(e2e_dump)

e2e_keys "$main" 7
viewer=$(e2e_wait_window "木禾驾驶员考试系统 - 使用说明首页" 60)
e2e_check "'7' opens a window with the help's title" [ -n "$viewer" ]
viewer_pid=""
if [ -n "$viewer" ]; then
  sleep 2
  e2e_screenshot help-viewer
  viewer_pid=$(xdotool getwindowpid "$viewer" 2>/dev/null)
  e2e_check "... in the CHM viewer" grep -q xchm "/proc/$viewer_pid/comm"
fi
e2e_check "the trainer keeps running" e2e_alive
e2e_check "... and its main window is as it was" [ "$(jq -c '.window, .components' <<<"$(e2e_dump)")" = "$(jq -c '.window, .components' <<<"$before")" ]

[ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
rm -rf "$work"
e2e_finish
