#!/usr/bin/env bash
# Chapter practice from the main menu, with the mouse and the keys a learner uses: a chapter
# chosen in the dropped list by mouse and by the list's keys, answers in the chapter line,
# the tree opened by double click and a kind node of a chapter-2 section clicked, closing;
# then the bookmark rows in bz hold the chapters' last questions. Then the look (the window
# centred on the main window, the dropped list purple, the chosen node marked), saves that
# another program's lock refuses, and a real double right click on the caption closing.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
field() { jq -r --arg n "$2" --arg k "$3" '.components[] | select(.name == $n) | .[$k]' <<<"$1"; }
bookmarks() { sqlite3 "$work/bz" "select zhangjie || '=' || id from zhangjie" | tr '\n' ' '; }
daan() { sqlite3 "$work/jjj" "select trim(daan) from kaoti where id=$1"; }
# The answer digit of question $1, and a wrong one.
right_key() { case $(daan "$1") in A) echo 1 ;; B) echo 2 ;; C) echo 3 ;; esac; }
wrong_key() { [ "$(right_key "$1")" = 1 ] && echo 2 || echo 1; }
# Mouse clicks at a point of the active window's client area (the dump's coordinates).
click_at() {
  local d ox oy
  d=$(e2e_dump)
  ox=$(jq -r '.window.client_origin.x' <<<"$d")
  oy=$(jq -r '.window.client_origin.y' <<<"$d")
  xdotool mousemove $((ox + $1)) $((oy + $2)) click --repeat "${3:-1}" --delay 120 1 2>/dev/null
  sleep 0.6
}
# The centre of a component, or of the tree row with the given text.
centre() { jq -r --arg n "$2" '.components[] | select(.name == $n) | "\(.left + (.width / 2 | floor)) \(.top + (.height / 2 | floor))"' <<<"$1"; }
row_centre() {
  jq -r --arg t "$2" '[.components[] | select(.name == "TreeView1") | .nodes[] | select(.text == $t)][0] |
    "\(.left + (.width / 2 | floor)) \(.top + (.height / 2 | floor))"' <<<"$1"
}
# The rows of the tree below the row with text $2, up to the next row of its level or less.
rows_under() {
  jq -r --arg t "$2" '[.components[] | select(.name == "TreeView1") | .nodes[]] as $n
    | ($n | map(.text) | index($t)) as $i | $n[$i].level as $l
    | [$n[$i + 1:][] ] | (map(.level <= $l) | index(true) // length) as $stop | .[:$stop][] | .text' <<<"$1"
}
# Opens the chapter list with the mouse on its button.
drop_list() {
  local d
  d=$(e2e_dump)
  click_at $(($(field "$d" ComboBox1 left) + $(field "$d" ComboBox1 width) - 9)) $(($(field "$d" ComboBox1 top) + 10))
}

main_rect=$(jq -r '.window.rect | "\(.left + .right) \(.top + .bottom)"' <<<"$(e2e_dump)")
e2e_keys "$main" 3
win=$(e2e_wait_window "章节练习" 30)
e2e_check "'3' opens chapter practice" [ -n "$win" ]
sleep 0.5
d=$(e2e_dump)
# Centred on the main window (the centres' doubled coordinates, up to the skin's few pixels).
read -r mx my <<<"$main_rect"
read -r cx cy <<<"$(jq -r '.window.rect | "\(.left + .right) \(.top + .bottom)"' <<<"$d")"
e2e_check "the chapter window is centred on the main window ($cx,$cy on $mx,$my)" \
  [ $(( (cx - mx) * (cx - mx) <= 64 && (cy - my) * (cy - my) <= 64 )) = 1 ]
e2e_check "chapter 1 on question 1" [ "$(field "$d" DBText4 caption)" = "1" ]
e2e_check "... with its range label" [ "$(field "$d" Label19 caption)" = "题号1-861" ]
e2e_check "the list holds the four chapters" [ "$(field "$d" ComboBox1 items | jq length)" = 4 ]
e2e_check "the tree is hidden" [ "$(field "$d" Panel3 visible)" = false ]
before=$(bookmarks)
e2e_keys "$win" 6 6
e2e_check "'6' twice moves to question 3" [ "$(field "$(e2e_dump)" DBText4 caption)" = "3" ]

# Chapter 3 with the mouse: the list's button, then its third item.
drop_list
d=$(e2e_dump)
item_h=$(field "$d" ComboBox1 item_height)
list_top=$(($(field "$d" ComboBox1 top) + $(field "$d" ComboBox1 height)))
# The dropped items are purple, as the list's font is: pixels near #800080 in the list.
e2e_screenshot chapter-list
ox=$(jq -r '.window.client_origin.x' <<<"$d")
oy=$(jq -r '.window.client_origin.y' <<<"$d")
purple=$(convert "$E2E_SHOTS/chapter-list.png" -crop "560x$((3 * item_h))+$((ox + 10))+$((oy + list_top + item_h))" +repage \
  -fuzz 25% -fill black -opaque '#800080' -fill white +opaque black -negate -format "%[fx:round(mean*w*h)]" info:)
e2e_check "the dropped list's items are purple ($purple pixels)" [ "$purple" -gt 100 ]
click_at 200 $((list_top + 2 * item_h + item_h / 2 + 1))
d=$(e2e_dump)
e2e_check "the mouse chooses chapter 3" [ "$(field "$d" Edit1 caption)" = "三章 城市公交车,中型客车,大型货车,小型汽车专用试题(题号1081-1149)" ]
e2e_check "... its range label" [ "$(field "$d" Label19 caption)" = "题号1081-1149" ]
e2e_check "... its first question" [ "$(field "$d" DBText4 caption)" = "1081" ]
e2e_check "... and chapter 1's bookmark is question 3" grep -q "^1=3 " <<<"$(bookmarks)"

# Answers go through the chapter line, which has the focus again.
e2e_keys "$win" "$(wrong_key 1081)"
d=$(e2e_dump)
e2e_check "a wrong answer names the right one" [ "$(field "$d" Label12 caption)" = "正确答案为:$(right_key 1081)" ]
e2e_check "... and stays" [ "$(field "$d" DBText4 caption)" = "1081" ]
e2e_keys "$win" "$(right_key 1081)"
d=$(e2e_dump)
e2e_check "the right answer moves on" [ "$(field "$d" DBText4 caption)" = "1082" ]
e2e_check "... with the line cleared" [ -z "$(field "$d" Label12 caption)" ]

# The dropped list's own keys: up to chapter 2 and down again to chapter 3, Return closes it.
drop_list
e2e_keys "$win" Up Down Return
d=$(e2e_dump)
e2e_check "the list's keys end on chapter 3" [ "$(field "$d" ComboBox1 item_index)" = 2 ]
e2e_check "... the chapter line says so" [ "$(field "$d" Edit1 caption)" = "三章 城市公交车,中型客车,大型货车,小型汽车专用试题(题号1081-1149)" ]
e2e_check "... on chapter 3's first question" [ "$(field "$d" DBText4 caption)" = "1081" ]
e2e_check "leaving chapter 3 kept its question, leaving chapter 2 its first" \
  grep -q "^1=3 2=862 3=1082 " <<<"$(bookmarks)"
e2e_keys "$win" 6
e2e_check "the keys reach the chapter line again" [ "$(field "$(e2e_dump)" DBText4 caption)" = "1082" ]
# The chosen chapter chosen again with the mouse is a switch: back to its first question.
drop_list
click_at 200 $((list_top + 2 * item_h + item_h / 2 + 1))
d=$(e2e_dump)
e2e_check "chapter 3 chosen again starts it over" [ "$(field "$d" DBText4 caption)" = "1081" ]
e2e_check "... having written its bookmark" grep -q " 3=1082 " <<<"$(bookmarks)"
e2e_keys "$win" 6

# The tree: double click on the switch, then open chapter 2 and a section, click a kind.
d=$(e2e_dump)
click_at $(centre "$d" Label20) 2
d=$(e2e_dump)
e2e_check "a double click shows the tree" [ "$(field "$d" Panel3 visible)" = true ]
e2e_check "... and the switch says how to hide it" [ "$(field "$d" Label20 caption)" = "双击此处隐藏章节树" ]
e2e_check "the tree shows the four chapters, closed" [ "$(field "$d" TreeView1 nodes | jq length)" = 4 ]
click_at $(row_centre "$d" "大型客车牵引车专用试题") 2
d=$(e2e_dump)
section=$(rows_under "$d" "大型客车牵引车专用试题" | sed -n 2p)
e2e_check "chapter 2 opens on a double click" [ "$section" = "牵引车与汽车列车" ]
click_at $(row_centre "$d" "$section") 2
d=$(e2e_dump)
e2e_check "... and its section shows both kinds" [ "$(rows_under "$d" "$section" | tr '\n' ' ')" = "单项选择题 判断题 " ]
e2e_screenshot chapter-tree
# The chosen section is marked although the chapter line has the focus: its row holds the
# blue of the system's highlight.
at=$(row_centre "$d" "$section")
ox=$(jq -r '.window.client_origin.x' <<<"$d")
oy=$(jq -r '.window.client_origin.y' <<<"$d")
read -r rx ry <<<"$at"
marked=$(convert "$E2E_SHOTS/chapter-tree.png" -crop "40x8+$((ox + rx - 20))+$((oy + ry - 4))" +repage \
  -fx '(b > 0.5 && r < 0.5) ? 1 : 0' -format "%[fx:round(mean*w*h)]" info:)
e2e_check "the chosen node is marked in the highlight colour ($marked blue pixels)" [ "$marked" -gt 100 ]
# The section's true/false node: the kind rows are the section's two rows below it.
kind_y=$(jq -r --arg s "$section" '[.components[] | select(.name == "TreeView1") | .nodes[]] as $n
  | ($n | map(.text) | index($s)) as $i | $n[$i + 2] | "\(.left + (.width / 2 | floor)) \(.top + (.height / 2 | floor))"' <<<"$d")
click_at $kind_y
d=$(e2e_dump)
first=$(sqlite3 "$work/jjj" "select min(id) from kaoti where lei2='$section' and lei3='判断题'")
count=$(sqlite3 "$work/jjj" "select count(*) from kaoti where lei2='$section' and lei3='判断题'")
e2e_check "the kind node shows the section's first true/false question" [ "$(field "$d" DBText4 caption)" = "$first" ]
e2e_check "... the range label counts from it" [ "$(field "$d" Label19 caption)" = "题号$first-$((first + count - 1))" ]
e2e_check "... the chapter line names chapter 2" [ "$(field "$d" Edit1 caption)" = "二章 大型客车,牵引车专用试题(题号862-1080)" ]
e2e_keys "$win" 6
e2e_check "keys move in the kind's set" [ "$(field "$(e2e_dump)" DBText4 caption)" != "$first" ]
shown=$(field "$(e2e_dump)" DBText4 caption)

e2e_keys "$win" 8
sleep 1
e2e_check "'8' closes chapter practice" [ -z "$(xdotool search --onlyvisible --name "章节练习" 2>/dev/null)" ]
e2e_check "... and the main window stays" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm1 ]
# Closing wrote the list's chapter (3), not the tree's (2).
e2e_check "the bookmarks: 1=3 2=862 3=$shown 4=1150 (were: $before)" [ "$(bookmarks)" = "1=3 2=862 3=$shown 4=1150 " ]

# Saves another program's lock refuses: a mark, then a bookmark. Each shows the error and is
# dropped; once the lock is gone the keys work as before and nothing is written later.
hold_lock() { (echo "BEGIN IMMEDIATE;"; sleep "$2"; echo "ROLLBACK;") | sqlite3 "$work/$1" & sleep 0.5; }
# Waits for a message box on the trainer's screen; prints its text.
box_text() {
  local t
  for _ in $(seq 1 40); do
    t=$(jq -r '.message_box.text // empty' <<<"$(e2e_dump)")
    [ -n "$t" ] && { echo "$t"; return 0; }
    sleep 0.25
  done
  return 1
}
e2e_keys "$main" 3
win=$(e2e_wait_window "章节练习" 30)
sleep 0.5
e2e_keys "$win" 6
hold_lock jjj 8
e2e_keys "$win" 0
box_text >/dev/null
e2e_keys "$win" Return
sleep 0.5
text=$(box_text)
e2e_check "a refused mark shows the error ($text)" grep -q "锁定" <<<"$text"
e2e_keys "$win" Return
sleep 0.5
e2e_keys "$win" 6
e2e_check "... and the card moves on as usual" [ "$(field "$(e2e_dump)" DBText4 caption)" = "3" ]
wait $!
e2e_keys "$win" 6 4
e2e_check "nothing is marked later" [ "$(sqlite3 "$work/jjj" "select count(*) from kaoti where bz='t'")" = 0 ]
hold_lock bz 8
e2e_keys "$win" 8
text=$(box_text)
e2e_check "a refused bookmark shows the error ($text)" grep -q "锁定" <<<"$text"
e2e_keys "$win" Return
sleep 0.5
e2e_check "... and the window stays" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm4 ]
wait $!
e2e_keys "$win" Up
sleep 1
e2e_check "once the lock is gone Up closes it" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm1 ]
e2e_check "... with its bookmark" [ "$(bookmarks)" = "1=3 2=862 3=$shown 4=1150 " ]

# A real double right click on the caption closes the window (the menu of the first click
# does not take the second).
e2e_keys "$main" 3
win=$(e2e_wait_window "章节练习" 30)
sleep 1
d=$(e2e_dump)
xdotool mousemove $(( $(jq -r '.window.rect.left' <<<"$d") + 200 )) $(( $(jq -r '.window.rect.top' <<<"$d") + 10 )) \
  click --repeat 2 --delay 80 3 2>/dev/null
sleep 1.5
e2e_check "a double right click on the caption closes chapter practice" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm1 ]
rm -rf "$work"
e2e_finish
