#!/usr/bin/env bash
# The regulations viewer from the main menu, with the mouse and the keys a learner uses: a law,
# every sign page of the sample installation (screenshots of each), "道路交通标线" showing the
# page of "禁止标线", the roots changing only the title line, a law hiding the page again,
# the page scrolled by the wheel, a missing page, and closing through the title bar.
source "$(dirname "$0")/lib.sh"
cd /tmp

work=$(e2e_workdir sample)
bzt="$WINEPREFIX/drive_c/voduvezu/bzt"
mkdir -p "$bzt"
cp -r "$MUHE_SAMPLE/bzt/." "$bzt/"
e2e_start "$work"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60) || { echo "the main window did not appear"; e2e_failures=1; e2e_finish; exit 1; }
sleep 1
field() { e2e_field "$@"; }
click_at() { e2e_click_at "$@"; }
select_node() { e2e_select_tree_row "$1"; }
page_of() { printf 'C:\\voduvezu\\bzt\\%s.htm' "$1"; }
differ() { ! cmp -s "$1" "$2"; }

e2e_keys "$main" 5
viewer=$(e2e_wait_window "法规法则" 30)
e2e_check "'5' opens the viewer" [ -n "$viewer" ]
sleep 1
d=$(e2e_dump)
e2e_check "the title line reads 道路交通安全法" [ "$(field "$d" Label1 caption)" = "道路交通安全法" ]
e2e_check "the law's text is on show" grep -q "^道路交通安全法" <<<"$(field "$d" DBRichEdit1 caption)"
e2e_check "the page panel is hidden" [ "$(field "$d" Panel2 visible)" = false ]
e2e_check "the tree shows all 24 nodes, none selected" \
  [ "$(jq '[.components[] | select(.name == "TreeView1") | .nodes[] | select(.selected | not)] | length' <<<"$d")" = 24 ]
e2e_screenshot viewer-law-opening

select_node "道路交通安全法实施条例"
d=$(e2e_dump)
e2e_check "a law: its title" [ "$(field "$d" Label1 caption)" = "道路交通安全法实施条例" ]
e2e_check "a law: its text" grep -q "^道路交通安全法实施条例" <<<"$(field "$d" DBRichEdit1 caption)"
e2e_screenshot viewer-law

n=0
for sign in 警告标志 禁令标志 指示标志 指路标志 旅游区标志 道路施工安全标志 辅助标志 禁止标线 警告标线 指示标线 汽车徽标; do
  n=$((n + 1))
  select_node "$sign"
  d=$(e2e_dump)
  e2e_check "$sign: the page panel is shown" [ "$(field "$d" Panel2 visible)" = true ]
  e2e_check "$sign: its own page" [ "$(field "$d" WebBrowser1 page)" = "$(page_of "$sign")" ]
  e2e_check "$sign: the page is read, with its heading" grep -q "^$sign" <<<"$(field "$d" WebBrowser1 caption)"
  e2e_screenshot "$(printf 'viewer-page-%02d' "$n")"
done

select_node "道路交通标线"
d=$(e2e_dump)
e2e_check "道路交通标线 shows the page of 禁止标线" [ "$(field "$d" WebBrowser1 page)" = "$(page_of 禁止标线)" ]
e2e_check "... under its own title" [ "$(field "$d" Label1 caption)" = "道路交通标线" ]

# The wheel over the page scrolls it: the screen changes, the page stays.
box_x=$(( $(field "$d" WebBrowser1 left) + 200 ))
box_y=$(( $(field "$d" WebBrowser1 top) + 200 ))
click_at $box_x $box_y
e2e_screenshot viewer-before-wheel
for _ in 1 2 3; do xdotool click 5 2>/dev/null; sleep 0.2; done
sleep 0.5
e2e_screenshot viewer-after-wheel
e2e_check "the wheel scrolls the page" differ "$E2E_SHOTS/viewer-before-wheel.png" "$E2E_SHOTS/viewer-after-wheel.png"
e2e_check "... which stays the same page" [ "$(field "$(e2e_dump)" WebBrowser1 page)" = "$(page_of 禁止标线)" ]

select_node "交通标志"
d=$(e2e_dump)
e2e_check "a root changes the title line" [ "$(field "$d" Label1 caption)" = "交通标志" ]
e2e_check "... and keeps the page" [ "$(field "$d" Panel2 visible)" = true ]
# The tree has scrolled to its last node: Home goes back up to the first root.
e2e_keys "$viewer" Home
d=$(e2e_dump)
e2e_check "the other root too" [ "$(field "$d" Label1 caption)$(field "$d" Panel2 visible)" = "交通法规true" ]
select_node "收费公路管理条例"
d=$(e2e_dump)
e2e_check "a law after a page hides the page" [ "$(field "$d" Panel2 visible)" = false ]
e2e_check "... and shows the law" grep -q "^收费公路管理条例" <<<"$(field "$d" DBRichEdit1 caption)"

# Arrow keys in the tree apply the rules to every node passed.
e2e_keys "$viewer" Down
e2e_check "Down: the next law" [ "$(field "$(e2e_dump)" Label1 caption)" = "道路交通安全违法行为处理程序规定" ]

# A missing page: a plain page naming the file, no message box.
mv "$bzt/汽车徽标.htm" "$bzt/汽车徽标.htm.aside"
select_node "汽车徽标"
d=$(e2e_dump)
mv "$bzt/汽车徽标.htm.aside" "$bzt/汽车徽标.htm"
e2e_check "a missing page says so" grep -q "无法打开文件" <<<"$(field "$d" WebBrowser1 caption)"
e2e_check "... naming the file" grep -qF "$(page_of 汽车徽标)" <<<"$(field "$d" WebBrowser1 caption)"
e2e_check "... in the viewer, not a box" [ "$(jq -r '.window.class' <<<"$d")" = TForm8 ]
e2e_screenshot viewer-missing-page

# Alt+F4 with the focus in the tree closes the viewer; "5" opens it again.
select_node "道路交通安全法"
e2e_keys "$viewer" alt+F4
sleep 1
e2e_check "Alt+F4 in the tree closes the viewer" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm1 ]
e2e_keys "$main" 5
viewer=$(e2e_wait_window "法规法则" 30)
e2e_check "... and '5' opens it again" [ -n "$viewer" ]
sleep 1

# Closing through the title bar: its rightmost button, back to the main menu.
d=$(e2e_dump)
xdotool mousemove $(( $(jq -r '.window.rect.right' <<<"$d") - 14 )) $(( $(jq -r '.window.rect.top' <<<"$d") + 10 )) click 1 2>/dev/null
sleep 1
e2e_check "the viewer closes" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm1 ]
rm -rf "$work"
e2e_finish
