#!/usr/bin/env bash
# Every window of the program wears the skin: the main menu (its bitmap buttons and status
# bar), the mock exam, the toolkit's message form, a system message box, by-set, chapter,
# sequential and intensive practice (the drop-down lists among them), the jump dialog and the
# skinned system menu, each shot to build/screenshots. The frame is checked
# on screen by the skin's own colours (active and inactive border, the caption's outline) and
# by the shaped corner that lets the desktop through.
source "$(dirname "$0")/lib.sh"

# Colours the skin's frame is drawn in (the muhe-skin painter's active and inactive looks).
active_outline="1E3A68"
active_border="5884C0"
inactive_border="B2C0D2"
# The outline of the skin's menu background.
menu_outline="7C94B8"

# One pixel of the screen as RRGGBB.
pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2>/dev/null | cut -c1-6; }
# Sets X, Y, WIDTH, HEIGHT of a window.
geometry() { eval "$(xdotool getwindowgeometry --shell "$1" 2>/dev/null)"; }

# The widest visible window with the title (the application window shares the boxes' title
# but has no size).
widest_window() {
  local best="" best_width=0 id
  for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
    geometry "$id"
    [ "${WIDTH:-0}" -gt "$best_width" ] && { best=$id; best_width=$WIDTH; }
  done
  echo "$best"
}

# Checks the frame of a window on a fresh screenshot: left border colour, outline, and the
# rounded top-left corner showing what lies behind the window.
check_frame() {
  local id=$1 what=$2 border=$3 shot
  shot=$(mktemp /tmp/muhe-skin-XXXXXX.png)
  import -window root "$shot" 2>/dev/null
  geometry "$id"
  e2e_check "$what: skinned left border" [ "$(pixel "$shot" $((X + 1)) $((Y + HEIGHT / 2)))" = "$border" ]
  e2e_check "$what: the caption's outline" [ "$(pixel "$shot" $((X + WIDTH / 2)) "$Y")" = "$active_outline" -o "$border" = "$inactive_border" ]
  e2e_check "$what: the corner is cut away" [ "$(pixel "$shot" "$X" "$Y")" != "$(pixel "$shot" $((X + WIDTH / 2)) "$Y")" ]
  rm -f "$shot"
}

work=$(e2e_workdir sample)
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1.5
check_frame "$main" "main window" "$active_border"
e2e_screenshot skin-main-window

# A right click on the caption opens the skinned system menu just right of and below the
# pointer (so that a second click lands on the caption).
geometry "$main"
xdotool mousemove $((X + 300)) $((Y + 10)) click 3 2>/dev/null
sleep 1
shot=$(mktemp /tmp/muhe-skin-XXXXXX.png)
import -window root "$shot" 2>/dev/null
e2e_check "the system menu wears the skin's menu border" [ "$(pixel "$shot" $((X + 301)) $((Y + 11)))" = "$menu_outline" ]
rm -f "$shot"
e2e_screenshot skin-system-menu
xdotool key Escape 2>/dev/null
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT + 40)) 2>/dev/null
sleep 0.8

e2e_keys "$main" 0
exam=$(e2e_wait_window "模拟考试" 30)
e2e_check "'0' opens the mock exam" [ -n "$exam" ]
sleep 1
check_frame "$exam" "exam" "$active_border"
e2e_screenshot skin-exam

# The toolkit's own message form (the refused close: the clock has started) and the system's
# box (the hand-in); the exam behind them is inactive.
e2e_keys "$exam" 1
sleep 1.5
e2e_keys "$exam" 8
e2e_wait_window "木禾考试模拟系统" 10 >/dev/null
sleep 1
box=$(widest_window "木禾考试模拟系统")
check_frame "$box" "message form" "$active_border"
check_frame "$exam" "exam behind the box" "$inactive_border"
e2e_screenshot skin-message-form
e2e_answer_box "木禾考试模拟系统" Return
e2e_keys "$exam" KP_Multiply
e2e_wait_window "提示" 10 >/dev/null
sleep 1
box=$(widest_window "提示")
check_frame "$box" "message box" "$active_border"
e2e_screenshot skin-message-box
e2e_answer_box "提示" Return
sleep 0.5
e2e_keys "$exam" 8
sleep 1
e2e_check "'8' closes the handed-in exam" [ -z "$(xdotool search --onlyvisible --name "模拟考试" 2>/dev/null)" ]
sleep 0.5
check_frame "$main" "main window again" "$active_border"

e2e_keys "$main" 3
chapter=$(e2e_wait_window "章节练习" 30)
e2e_check "'3' opens chapter practice" [ -n "$chapter" ]
sleep 1
check_frame "$chapter" "chapter practice" "$active_border"
e2e_screenshot skin-chapter-practice
e2e_keys "$chapter" 8
sleep 1

# Sequential practice; the question goes on the intensive list so that the list has a card.
e2e_keys "$main" 1
seq=$(e2e_wait_window "顺序练习" 30)
e2e_check "'1' opens sequential practice" [ -n "$seq" ]
sleep 1
check_frame "$seq" "sequential practice" "$active_border"
e2e_screenshot skin-sequential-practice
e2e_keys "$seq" 0
e2e_wait_window "提示" 10 >/dev/null
e2e_answer_box "提示" Return
# The jump dialog over the drill window; an empty entry closes it.
e2e_keys "$seq" 9
jump=$(e2e_wait_window "跳题" 10)
e2e_check "'9' opens the jump dialog" [ -n "$jump" ]
sleep 1
check_frame "$jump" "jump dialog" "$active_border"
check_frame "$seq" "sequential practice behind the dialog" "$inactive_border"
e2e_screenshot skin-jump-dialog
e2e_keys "$jump" Return
sleep 0.5
e2e_check "Enter on an empty entry closes the jump dialog" [ -z "$(xdotool search --onlyvisible --name "跳题" 2>/dev/null)" ]
e2e_keys "$seq" 8
sleep 1

e2e_keys "$main" 2
byset=$(e2e_wait_window "分套练习" 30)
e2e_check "'2' opens by-set practice" [ -n "$byset" ]
sleep 1
check_frame "$byset" "by-set practice" "$active_border"
e2e_screenshot skin-by-set-practice
e2e_keys "$byset" 8
sleep 1

e2e_keys "$main" 4
list=$(e2e_wait_window "强化练习" 30)
e2e_check "'4' opens intensive practice" [ -n "$list" ]
sleep 1
check_frame "$list" "intensive practice" "$active_border"
e2e_screenshot skin-intensive-practice
e2e_keys "$list" 8
sleep 0.5
rm -rf "$work"
e2e_finish
