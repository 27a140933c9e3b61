#!/usr/bin/env bash
# The main window from start to end, driven by real key presses: its captions, keys that mean
# nothing, help without its file, "8" ending the program, and start-up without the databases.
source "$(dirname "$0")/lib.sh"

work=$(e2e_workdir sample nohelp)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
dump=$(e2e_dump)
caption=$(jq -r '.window.caption' <<<"$dump")
e2e_check "main window caption (with its trailing blank)" [ "$caption" = "木禾驾驶员考试系统 " ]
button() { jq -r --arg n "$1" '.components[] | select(.name == $n) | .caption' <<<"$dump"; }
e2e_check "first button" [ "$(button BitBtn1)" = "0模拟考试" ]
e2e_check "exam button is 193 x 25 at x 16" [ "$(jq -r '.components[] | select(.name=="BitBtn1") | "\(.width)x\(.height)@\(.left)"' <<<"$dump")" = "193x25@16" ]
e2e_check "last button" [ "$(button BitBtn8)" = "8退出系统" ]
e2e_check "title panel" [ "$(button Panel2)" = "木禾机动车驾驶员模拟考试系统2006.1" ]
e2e_check "link label" grep -q "^网址：http" <<<"$(button Label1)"
e2e_check "status bar" grep -q "木禾驾驶学校专用" <<<"$(button StatusBar1)"
e2e_screenshot main-window

# A real double click on the caption maximizes the window; the title panel, the banner and the
# link line fill the rest of it. A second one restores it.
right_side() {
  jq -r '[.components[] | select(.name == "Panel2" or .name == "Image1" or .name == "Label1") | .left + .width] | unique | join(" ")' <<<"$1"
}
designed=$(right_side "$dump")
left=$(jq -r '.window.rect.left' <<<"$dump")
top=$(jq -r '.window.rect.top' <<<"$dump")
xdotool mousemove $((left + 400)) $((top + 10)) click --repeat 2 --delay 80 1 2>/dev/null
sleep 1.5
big=$(e2e_dump)
width=$(jq -r '.window.rect.right - .window.rect.left' <<<"$big")
e2e_check "a double click on the caption maximizes the main window (${width} wide)" [ "$width" -gt 746 ]
e2e_check "... and the right side fills it ($(right_side "$big"))" \
  [ "$(right_side "$big" | wc -w)" = 1 -a "$(right_side "$big" | cut -d' ' -f1)" -gt $((width - 30)) ]
e2e_screenshot main-window-maximized
left=$(jq -r '.window.rect.left' <<<"$big")
top=$(jq -r '.window.rect.top' <<<"$big")
xdotool mousemove $((left + 400)) $((top + 10)) click --repeat 2 --delay 80 1 2>/dev/null
sleep 1.5
dump=$(e2e_dump)
e2e_check "a second double click restores it, the right side with it" [ "$(right_side "$dump")" = "$designed" ]

windows_before=$(wine "$MUHE_PROBE" windows 2>/dev/null | tr -d '\r')
e2e_keys "$main" 6 a x
e2e_check "'6' and letters change nothing" [ "$(e2e_dump)" = "$dump" ]
e2e_keys "$main" 7
sleep 1
e2e_check "'7' without bangzhu.chm changes nothing" [ "$(e2e_dump)" = "$dump" ]
e2e_check "... and opens no window" [ "$(wine "$MUHE_PROBE" windows 2>/dev/null | tr -d '\r')" = "$windows_before" ]

e2e_keys "$main" 8
ended=false
for _ in $(seq 1 40); do e2e_alive || { ended=true; break; }; sleep 0.25; done
e2e_check "'8' ends the program" $ended
wineserver -k 2>/dev/null

# Without jjj and bz in the working directory start-up stops with an error box, even when the
# files lie beside the program.
empty=$(e2e_workdir none)
beside=$(e2e_workdir sample)
cp "$MUHE_EXE" "$beside/muhe.exe"
(cd "$empty" && exec wine "$beside/muhe.exe" >/dev/null 2>&1) &
MUHE_PID=$!
box=$(e2e_wait_window "木禾考试模拟系统" 60)
e2e_check "an error box appears" [ -n "$box" ]
boxdump=$(e2e_dump)
boxtext=$(jq -r '.message_box.text // empty' <<<"$boxdump")
e2e_check "the box names the missing file, in Chinese" grep -q "^无法打开数据库文件“.*jjj”：文件不存在$" <<<"$boxtext"
e2e_check "no main window" [ -z "$(xdotool search --onlyvisible --name "木禾驾驶员考试系统" 2>/dev/null)" ]
e2e_answer_box "木禾考试模拟系统" Return
ended=false
for _ in $(seq 1 40); do e2e_alive || { ended=true; break; }; sleep 0.25; done
e2e_check "the program ends after the box" $ended
wait "$MUHE_PID"
e2e_check "with a non-zero exit code" [ $? -ne 0 ]
wineserver -k 2>/dev/null

# Under a locale that is not Chinese the caption reads the same: it is drawn in a font that has
# its glyphs, not in boxes.
caption_crop() { convert "$1" -crop "260x16+$((left + 30))+$((top + 4))" +repage -depth 8 rgb:- | md5sum; }
left=$(jq -r '.window.rect.left' <<<"$dump")
top=$(jq -r '.window.rect.top' <<<"$dump")
(cd "$work" && LANG=C.UTF-8 LC_ALL=C.UTF-8 exec wine "$MUHE_EXE" >/dev/null 2>&1) &
MUHE_PID=$!
main=$(e2e_wait_window "木禾驾驶员考试系统" 60)
sleep 1.5
e2e_screenshot main-window-c-locale
e2e_check "the caption under LANG=C is drawn as under zh_CN" \
  [ "$(caption_crop "$E2E_SHOTS/main-window-c-locale.png")" = "$(caption_crop "$E2E_SHOTS/main-window.png")" ]
rm -rf "$work" "$empty" "$beside"
e2e_finish
