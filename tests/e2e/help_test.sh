#!/usr/bin/env bash
# "7" on the main window hands bangzhu.chm to the shell; the project's Wine prefix opens it in
# the CHM viewer, spread over the whole screen (the trainer asks for a maximised window), whose
# window carries the help's Chinese page title, and the trainer stays as it was. The screenshot
# shows the first page's Chinese paragraphs wrapped inside the window.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
before=$(e2e_dump)

e2e_keys "$main" 7
viewer=$(e2e_wait_window "使用说明首页" 60)
e2e_check "'7' opens a window with the help's first page" [ -n "$viewer" ]
viewer_pid=""
if [ -n "$viewer" ]; then
  sleep 3
  e2e_screenshot help-viewer
  viewer_pid=$(xdotool getwindowpid "$viewer" 2>/dev/null)
  e2e_check "... in the CHM viewer" grep -q kchmviewer "/proc/$viewer_pid/comm"
  eval "$(xdotool getdisplaygeometry --shell)"
  screen="${WIDTH}x$HEIGHT"
  eval "$(xdotool getwindowgeometry --shell "$viewer")"
  e2e_check "... over the whole screen" [ "${X},${Y} ${WIDTH}x$HEIGHT" = "0,0 $screen" ]
fi
e2e_check "the trainer keeps running" e2e_alive
e2e_check "... and its main window is as it was" [ "$(jq -c '.window, .components' <<<"$(e2e_dump)")" = "$(jq -c '.window, .components' <<<"$before")" ]

[ -n "$viewer_pid" ] && kill "$viewer_pid" 2>/dev/null
rm -rf "$work"
e2e_finish
