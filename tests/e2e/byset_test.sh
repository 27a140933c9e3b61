#!/usr/bin/env bash
# By-set practice from the main menu by real key presses and clicks: answering moves on,
# hand-in with a score, another set chosen in the dropped list gives a fresh paper. Then the
# jump dialog in the mock exam: back to an answered position, and an entry that is no number.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
field() { jq -r --arg n "$2" --arg k "$3" '.components[] | select(.name == $n) | .[$k]' <<<"$1"; }
box_text() { jq -r '.message_box.text // empty' <<<"$1"; }

e2e_keys "$main" 2
byset=$(e2e_wait_window "分套练习" 30)
e2e_check "'2' opens by-set practice" [ -n "$byset" ]
sleep 0.5
d=$(e2e_dump)
e2e_check "set 1 in the set-name field" [ "$(field "$d" Edit1 caption)" = "第一套" ]
e2e_check "position 1 at 45:00" [ "$(field "$d" Label14 caption)/$(field "$d" Label16 caption)" = "1/45:00" ]
set1_first=$(field "$d" DBText6 caption)

e2e_keys "$byset" 6 6 6 6 6 6
e2e_check "'6' six times reaches position 7" [ "$(field "$(e2e_dump)" Label14 caption)" = "7" ]
e2e_keys "$byset" 2
d=$(e2e_dump)
e2e_check "answering at 7 shows position 8" [ "$(field "$d" Label14 caption)" = "8" ]
e2e_check "... unanswered, with an empty answer label" [ -z "$(field "$d" Label12 caption)" ]
e2e_check "... and cell 7 turns red" [ "$(field "$d" L7 font_color)" = "#FF0000" ]
e2e_screenshot byset-window
# The option badges stand on the skinned form's colour, with no white square around them:
# the corners of their 28 x 28 pictures have the colour just left of them.
ox=$(jq -r '.window.client_origin.x' <<<"$d")
oy=$(jq -r '.window.client_origin.y' <<<"$d")
bx=$((ox + $(field "$d" Image3 left)))
by=$((oy + $(field "$d" Image3 top)))
ground=$(convert "$E2E_SHOTS/byset-window.png" -format "%[pixel:p{$((bx - 2)),$((by + 1))}]" info:)
corner=$(convert "$E2E_SHOTS/byset-window.png" -format "%[pixel:p{$((bx + 1)),$((by + 1))}]" info:)
e2e_check "the badge's corner shows the form's colour ($corner, $ground)" [ "$corner" = "$ground" ]
e2e_check "... which is not white" [ "$ground" != "srgb(255,255,255)" ] 
# The red note runs over two lines rather than being cut.
e2e_check "the first red note has the room of two lines" [ "$(field "$d" Note1 height)" -ge 28 ]

e2e_keys "$byset" KP_Multiply
e2e_wait_window "提示" 10 >/dev/null
e2e_check "'*' asks first" [ "$(box_text "$(e2e_dump)")" = "确实要交卷吗？" ]
e2e_answer_box "提示" Return
d=$(e2e_dump)
e2e_check "Yes hands in and shows the score" grep -q "^你的成绩为：[0-9]" <<<"$(field "$d" Label20 caption)"
e2e_check "... unanswered cells turn blue" [ "$(field "$d" L100 font_color)" = "#0000FF" ]

# The set list: its arrow drops all twelve sets; a click on the third item chooses it.
x0=$(jq -r '.window.client_origin.x' <<<"$d")
y0=$(jq -r '.window.client_origin.y' <<<"$d")
cl=$(field "$d" ComboBox1 left)
ct=$(field "$d" ComboBox1 top)
cw=$(field "$d" ComboBox1 width)
ch=$(field "$d" ComboBox1 height)
ih=$(field "$d" ComboBox1 item_height)
xdotool mousemove $((x0 + cl + cw - 6)) $((y0 + ct + ch / 2)) click 1
sleep 0.8
e2e_screenshot byset-set-list
xdotool mousemove $((x0 + cl + cw / 2)) $((y0 + ct + ch + 2 * ih + ih / 2 + 1)) click 1
sleep 0.8
d=$(e2e_dump)
e2e_check "choosing 第三套 shows it in the set-name field" [ "$(field "$d" Edit1 caption)" = "第三套" ]
e2e_check "... a fresh paper at position 1 and 45:00" [ "$(field "$d" Label14 caption)/$(field "$d" Label16 caption)" = "1/45:00" ]
e2e_check "... a clean answer sheet and no score" [ "$(field "$d" L7 font_color)/$(field "$d" L100 font_color)/$(field "$d" Label20 caption)" = "#000000/#000000/" ]
e2e_check "... and the first question of set 3" [ "$(field "$d" DBText6 caption)" != "$set1_first" ]
e2e_keys "$byset" 1
e2e_check "the keys reach the new paper at once" [ "$(field "$(e2e_dump)" Label14 caption)" = "2" ]
e2e_keys "$byset" KP_Add
e2e_answer_box "提示" Return
e2e_keys "$byset" 8
sleep 1
e2e_check "'8' closes the handed-in paper" [ -z "$(xdotool search --onlyvisible --name "分套练习" 2>/dev/null)" ]

# The jump dialog from the mock exam.
e2e_keys "$main" 0
exam=$(e2e_wait_window "模拟考试" 30)
e2e_check "'0' opens the mock exam" [ -n "$exam" ]
sleep 0.5
e2e_keys "$exam" 9
jump=$(e2e_wait_window "跳题" 10)
e2e_check "'9' brings up the jump dialog" [ -n "$jump" ]
e2e_keys "$jump" 3 7 Return
sleep 0.5
e2e_check "37 jumps to position 37" [ "$(field "$(e2e_dump)" Label14 caption)" = "37" ]
e2e_keys "$exam" 2 6
e2e_keys "$exam" 9
jump=$(e2e_wait_window "跳题" 10)
e2e_check "the entry is empty again" [ -z "$(field "$(e2e_dump)" Edit1 caption)" ]
e2e_keys "$jump" 3 7 Return
sleep 0.5
d=$(e2e_dump)
e2e_check "back at 37 after answering it" [ "$(field "$d" Label14 caption)" = "37" ]
e2e_check "... with its recorded answer" [ "$(field "$d" Label12 caption)" = "你的答案是:2" ]

e2e_keys "$exam" 9
jump=$(e2e_wait_window "跳题" 10)
e2e_keys "$jump" a b c Return
e2e_wait_window "木禾考试模拟系统" 10 >/dev/null
e2e_check "abc gives the conversion message" [ "$(box_text "$(e2e_dump)")" = "'abc' is not a valid integer value" ]
e2e_screenshot jump-conversion-error
e2e_answer_box "木禾考试模拟系统" Return
d=$(e2e_dump)
e2e_check "... and the dialog stays with the entry" [ "$(jq -r '.window.caption' <<<"$d")/$(field "$d" Edit1 caption)" = "跳题/abc" ]
e2e_keys "$jump" alt+F4
sleep 0.5
d=$(e2e_dump)
e2e_check "the close box leaves the exam where it was" [ "$(jq -r '.window.caption' <<<"$d")/$(field "$d" Label14 caption)" = "模拟考试/37" ]
rm -rf "$work"
e2e_finish
