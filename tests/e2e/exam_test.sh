#!/usr/bin/env bash
# The mock exam from the main menu, by real key presses: open, answer and move, the refused
# close while the clock runs, hand-in with a score, close, and a new paper on reopening.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
field() { jq -r --arg n "$2" --arg k "$3" '.components[] | select(.name == $n) | .[$k]' <<<"$1"; }
# A handed-in paper as the learner reads it: position and question text, walked with "6" from
# position 1 (the clock has stopped, so only the moves change the window). One line each.
read_paper() {
  wine "$MUHE_PROBE" walk 6 99 2>/dev/null | tr -d '\r' |
    jq -r '[(.components[] | select(.name == "Label14") | .caption), (.components[] | select(.name == "DBText6") | .caption)] | @tsv'
}
whole_paper() { [ "$(cut -f1 <<<"$1" | tr '\n' ' ')" = "$(seq -s ' ' 1 100) " ] && [ "$(cut -f2 <<<"$1" | sort -u | wc -l)" -eq 100 ]; }

e2e_keys "$main" 0
exam=$(e2e_wait_window "模拟考试" 30)
e2e_check "'0' opens the mock exam" [ -n "$exam" ]
sleep 0.5
d=$(e2e_dump)
e2e_check "position 1" [ "$(field "$d" Label14 caption)" = "1" ]
e2e_check "clock at 45:00" [ "$(field "$d" Label16 caption)" = "45:00" ]

e2e_keys "$exam" 2
d=$(e2e_dump)
e2e_check "'2' records the answer" [ "$(field "$d" Label12 caption)" = "你的答案是:2" ]
e2e_check "... and turns cell 1 red" [ "$(field "$d" L1 font_color)" = "#FF0000" ]
e2e_keys "$exam" 6
d=$(e2e_dump)
e2e_check "'6' moves to position 2" [ "$(field "$d" Label14 caption)" = "2" ]
e2e_screenshot exam-window

sleep 1.5
d=$(e2e_dump)
e2e_check "the clock runs" [ "$(field "$d" Label16 caption)" != "45:00" ]
e2e_keys "$exam" 8
e2e_wait_window "木禾考试模拟系统" 10 >/dev/null
d=$(e2e_dump)
e2e_check "'8' while running is refused" [ "$(jq -r '.message_box.text // empty' <<<"$d")" = "已经开始作题，交卷后才能关闭" ]
e2e_answer_box "木禾考试模拟系统" Return

e2e_keys "$exam" KP_Multiply
e2e_wait_window "提示" 10 >/dev/null
d=$(e2e_dump)
e2e_check "'*' asks first" [ "$(jq -r '.message_box.text // empty' <<<"$d")" = "确实要交卷吗？" ]
e2e_answer_box "提示" Return
d=$(e2e_dump)
e2e_check "Yes hands in and shows the score" grep -q "^你的成绩为：[0-9]" <<<"$(field "$d" Label20 caption)"
e2e_check "... wrong or unanswered cells turn blue" [ "$(field "$d" L100 font_color)" = "#0000FF" ]
e2e_screenshot exam-handed-in
e2e_keys "$exam" 4
first_paper=$(read_paper)
e2e_check "the paper holds 100 different questions" whole_paper "$first_paper"

e2e_keys "$exam" 8
sleep 1
e2e_check "'8' closes the handed-in exam" [ -z "$(xdotool search --onlyvisible --name "模拟考试" 2>/dev/null)" ]
e2e_keys "$main" 0
exam=$(e2e_wait_window "模拟考试" 30)
sleep 0.5
d=$(e2e_dump)
e2e_check "'0' opens a new exam" [ "$(field "$d" Label16 caption)" = "45:00" ]
e2e_check "... with a clean answer sheet" [ "$(field "$d" L1 font_color)" = "#000000" ]
e2e_keys "$exam" KP_Multiply
e2e_answer_box "提示" Return
second_paper=$(read_paper)
e2e_check "... and a new paper of 100 questions" whole_paper "$second_paper"
e2e_check "... other than the first" [ "$second_paper" != "$first_paper" ]
rm -rf "$work"
e2e_finish
