#!/usr/bin/env bash
# Sequential and intensive practice from the main menu, by real keys and clicks: two questions
# marked (key "0" and the link), closing on question 500, the program killed without clean-up,
# started again and resumed at 500, a jump to the last question; then the intensive list with the two marks, one removed,
# the rest cleared. The files are read back after each change.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample)
field() { jq -r --arg n "$2" --arg k "$3" '.components[] | select(.name == $n) | .[$k]' <<<"$1"; }
box_text() { jq -r '.message_box.text // empty' <<<"$1"; }
marks() { sqlite3 "$work/jjj" "select group_concat(id, ',') from (select id from kaoti where bz='t' order by id)"; }
resume_point() { sqlite3 "$work/bz" "select bz from bz1"; }
intact() { [ "$(sqlite3 "$work/jjj" 'pragma integrity_check')" = ok ] && [ "$(sqlite3 "$work/bz" 'pragma integrity_check')" = ok ]; }
# Clicks a component of the active window in its middle, as the mouse would.
click() {
  local d=$1 name=$2 x y
  x=$(jq -r --arg n "$name" '.window.client_origin.x + (.components[] | select(.name == $n) | .left + (.width / 2 | floor))' <<<"$d")
  y=$(jq -r --arg n "$name" '.window.client_origin.y + (.components[] | select(.name == $n) | .top + (.height / 2 | floor))' <<<"$d")
  xdotool mousemove "$x" "$y" click 1 2>/dev/null
  sleep 0.5
}
# Ends the program the way a power cut or the task manager would: no clean-up at all.
kill_program() {
  kill -9 "$MUHE_PID" 2>/dev/null
  wait "$MUHE_PID" 2>/dev/null
  timeout 20 wineserver -w 2>/dev/null
}
start() {
  e2e_start "$work"
  main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=$((e2e_failures + 1)); e2e_finish; exit 1; }
  sleep 1
}

# A stored resume point of 0 lies before the first question: it is the beginning.
sqlite3 "$work/bz" "update bz1 set bz='0'"
start
e2e_keys "$main" 1
seq=$(e2e_wait_window "顺序练习" 30)
e2e_check "'1' opens sequential practice" [ -n "$seq" ]
sleep 0.5
d=$(e2e_dump)
e2e_check "a resume point of 0 asks nothing and starts at question 1" [ "$(field "$d" DBText4 caption)" = "1" -a -z "$(box_text "$d")" ]
e2e_check "... with the link" [ "$(field "$d" Label16 caption)" = "加入强化练习" ]

e2e_keys "$seq" 0
e2e_wait_window "提示" 10 >/dev/null
e2e_check "'0' asks first" [ "$(box_text "$(e2e_dump)")" = "确实要将此题加入到强化练习题库吗？" ]
e2e_answer_box "提示" Return
e2e_check "Yes marks question 1" [ "$(marks)" = "1" ]
e2e_keys "$seq" 6
d=$(e2e_dump)
click "$d" Label16
e2e_wait_window "提示" 10 >/dev/null
e2e_check "the link asks the same" [ "$(box_text "$(e2e_dump)")" = "确实要将此题加入到强化练习题库吗？" ]
e2e_answer_box "提示" Return
e2e_check "Yes marks question 2" [ "$(marks)" = "1,2" ]
e2e_screenshot practice-sequential

# On to question 500 by keys (the right arrow, as keypad 6 with Num Lock off).
xdotool key --delay 15 --repeat 498 Right 2>/dev/null
sleep 1
d=$(e2e_dump)
e2e_check "question 500 reached" [ "$(field "$d" DBText4 caption)" = "500" ]
e2e_keys "$seq" 8
sleep 0.5
e2e_check "'8' closes and stores 500" [ "$(resume_point)" = "500" ]

# Killed without any clean-up: the marks and the resume point are in the files, intact.
kill_program
e2e_check "after a kill the marks are there" [ "$(marks)" = "1,2" ]
e2e_check "... and the resume point" [ "$(resume_point)" = "500" ]
e2e_check "... and both files are intact" intact

start
e2e_keys "$main" 1
e2e_wait_window "提示" 30 >/dev/null
e2e_check "the next opening asks to resume at 500" \
  [ "$(box_text "$(e2e_dump)")" = "上次练习到: 题目500 点击<是>继续联系点击<否>从头开始" ]
e2e_answer_box "提示" Return
seq=$(e2e_wait_window "顺序练习" 10)
d=$(e2e_dump)
e2e_check "Yes shows question 500" [ "$(field "$d" DBText4 caption)" = "500" ]
e2e_keys "$seq" 4
e2e_check "... and '4' stays there" [ "$(field "$(e2e_dump)" DBText4 caption)" = "500" ]
e2e_keys "$seq" 9
jump=$(e2e_wait_window "跳题" 10)
e2e_keys "$jump" 1 2 1 8 Return
sleep 0.5
e2e_check "'9' and 1218 show the last question" [ "$(field "$(e2e_dump)" DBText4 caption)" = "1218" ]
e2e_keys "$seq" 8
sleep 0.5

e2e_keys "$main" 4
list=$(e2e_wait_window "强化练习" 30)
e2e_check "'4' opens intensive practice" [ -n "$list" ]
sleep 0.5
d=$(e2e_dump)
e2e_check "the first mark is on the card" [ "$(field "$d" DBText4 caption)" = "1" ]
e2e_check "the jump line is hidden" [ "$(field "$d" Label7 visible)" = "false" ]
e2e_keys "$list" 6
e2e_check "'6' shows the second mark" [ "$(field "$(e2e_dump)" DBText4 caption)" = "2" ]
e2e_keys "$list" 6
e2e_check "... and no other" [ "$(field "$(e2e_dump)" DBText4 caption)" = "2" ]
e2e_screenshot practice-intensive
e2e_keys "$list" 5
e2e_wait_window "提示" 10 >/dev/null
e2e_check "'5' asks first" [ "$(box_text "$(e2e_dump)")" = "确实要将此题移出强化练习题库吗？" ]
e2e_answer_box "提示" Return
e2e_check "Yes takes question 2 off the list" [ "$(marks)" = "1" ]
e2e_check "... and shows the first again" [ "$(field "$(e2e_dump)" DBText4 caption)" = "1" ]
d=$(e2e_dump)
click "$d" Label16
e2e_wait_window "提示" 10 >/dev/null
e2e_check "the clear link asks first" [ "$(box_text "$(e2e_dump)")" = "确实要清空强化练习题库吗？" ]
e2e_answer_box "提示" Return
e2e_check "Yes empties the list" [ -z "$(marks)" ]
d=$(e2e_dump)
e2e_check "... and the card" [ -z "$(field "$d" DBText4 caption)$(field "$d" DBText6 caption)" ]
e2e_screenshot practice-intensive-cleared
kill_program
e2e_check "after a kill the list stays empty" [ -z "$(marks)" ]
e2e_check "... and both files are intact" intact
rm -rf "$work"
e2e_finish
