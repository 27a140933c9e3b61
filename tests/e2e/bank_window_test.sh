#!/usr/bin/env bash
# The bank manager (muhe-bank.exe without arguments) as a school's administrator uses it, by
# real clicks and keys in it and in the system's file dialogs: it finds the data folder it is
# started in, exports the bank, lists a CSV file's one bad row by row and column writing
# nothing, imports the mended file after checking it (progress shown, the questions shown
# first), the trainer started in the folder shows the new text, and the previous bank is
# put back.
source "$(dirname "$0")/lib.sh"
scratch=$(mktemp -d /tmp/muhe-bank-window-XXXXXX)
trap 'wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
tool="$e2e_top/build/win/bin/muhe-bank.exe"
wine reg add 'HKCU\Software\Wine\AppDefaults\muhe-bank.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
win() { printf 'Z:%s' "$(tr / '\\' <<<"$1")"; }
timu() { sqlite3 "$1" "select timu from kaoti where id = 1"; }
sha() { sha256sum <"$1"; }
field() { jq -r --arg n "$2" --arg k "$3" '.components[] | select(.name == $n) | .[$k]' <<<"$1"; }

# Polls the manager's dump (or the trainer's) until the jq condition holds; the last dump in $d.
d=""
until_dump() {
  local timeout=${2:-20}
  for _ in $(seq 1 $((timeout * 4))); do
    d=$(e2e_dump)
    jq -e "$1" <<<"$d" >/dev/null 2>&1 && return 0
    sleep 0.25
  done
  echo "  (waited in vain for: $1)"
  return 1
}
state_says() { until_dump "(.components[] | select(.name == \"StateLabel\") | .caption) | contains(\"$1\")" "${2:-30}"; }
# Clicks a component of the active window in its middle, as the mouse would.
click() {
  local x y
  x=$(jq -r --arg n "$1" '.window.client_origin.x + (.components[] | select(.name == $n) | .left + (.width / 2 | floor))' <<<"$d")
  y=$(jq -r --arg n "$1" '.window.client_origin.y + (.components[] | select(.name == $n) | .top + (.height / 2 | floor))' <<<"$d")
  xdotool mousemove "$x" "$y" click 1 2>/dev/null
}
# Answers the system's file dialog whose title matches by typing a path into its name box.
answer_dialog() {
  e2e_wait_window "$1" 20 >/dev/null || { echo "  (no dialog $1)"; return 1; }
  sleep 0.5
  xdotool key ctrl+a 2>/dev/null
  xdotool type --delay 15 "$2" 2>/dev/null
  xdotool key Return 2>/dev/null
  for _ in $(seq 1 40); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0; sleep 0.25; done
}
start_manager() {
  (cd "$data" && exec wine "$tool" >/dev/null 2>&1) &
  manager_pid=$!
  e2e_wait_window "木禾题库管理" 60 >/dev/null && until_dump '.window.caption == "木禾题库管理"'
}
close_manager() {
  xdotool key alt+F4 2>/dev/null
  for _ in $(seq 1 40); do kill -0 "$manager_pid" 2>/dev/null || return 0; sleep 0.25; done
  return 1
}

# The installation's data folder, and a school's file made from the sample: question 1 with new
# text; a copy with question 5's answer "X" (row 6 of the file, the header being row 1).
data="$scratch/data"
mkdir -p "$data" "$scratch/in/pics" "$scratch/out/pics"
cp "$MUHE_SAMPLE/jjj" "$MUHE_SAMPLE/bz" "$MUHE_SAMPLE/bangzhu.chm" "$data/"
sqlite3 "$data/bz" "update bz1 set bz = '0'"
original=$(timu "$data/jjj")
school_csv() {
  sqlite3 -csv -header "$data/jjj" "select id, tihao, case when id = 1 then '新的第一题' else timu end as timu, A, B, C,
    case when id = 5 then '$1' else daan end as daan, case when length(image) > 0 then 'q' || id || '.bmp' else '' end as image,
    t, lei1, lei2, lei3, bz from kaoti order by id"
}
school_csv X >"$scratch/in/bad.csv"
school_csv "$(sqlite3 "$data/jjj" 'select daan from kaoti where id = 5')" >"$scratch/in/bank.csv"
(cd "$scratch/in/pics" && sqlite3 "$data/jjj" "select writefile('q' || id || '.bmp', image) from kaoti where length(image) > 0" >/dev/null)
before=$(sha "$data/jjj")

start_manager
e2e_check "the manager opens in the folder it is started in" [ "$(field "$d" FolderEdit caption)" = "$(win "$data")" ]
e2e_screenshot bank-window

# Export through the save and folder dialogs.
click ExportButton
answer_dialog "第 1 步" "$(win "$scratch/out/bank.csv")"
answer_dialog "第 2 步" "$(win "$scratch/out/pics")"
e2e_check "the bank is exported" state_says "已导出 1218 道题"
bom() { [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ]; }
e2e_check "... as a CSV file a spreadsheet reads as UTF-8" bom "$scratch/out/bank.csv"
e2e_check "... with its pictures" [ "$(ls "$scratch/out/pics" | wc -l)" = "$(ls "$scratch/in/pics" | wc -l)" ]

# A file with one bad row: listed by row and column, nothing written.
click ImportButton
answer_dialog "第 1 步" "$(win "$scratch/in/bad.csv")"
answer_dialog "第 2 步" "$(win "$scratch/in/pics")"
until_dump '.components[] | select(.name == "ProblemList" and .visible) | .items | length > 0'
e2e_check "the bad row is listed by row and column" \
  [ "$(jq -c '.components[] | select(.name == "ProblemList") | .items[0][0:2]' <<<"$d")" = '["6","daan"]' ]
e2e_check "... saying what is wrong" grep -q '答案“X”应为 A、B 或 C' <<<"$(jq -r '.components[] | select(.name == "ProblemList") | .items[0][2]' <<<"$d")"
e2e_check "... and nothing is written" [ "$(sha "$data/jjj")" = "$before" -a ! -e "$data/jjj.bak" ]
e2e_screenshot bank-window-problems

# The mended file: checked with progress, shown before anything is written, then imported.
click ImportButton
answer_dialog "第 1 步" "$(win "$scratch/in/bank.csv")"
answer_dialog "第 2 步" "$(win "$scratch/in/pics")"
until_dump '.components[] | select(.name == "PreviewList" and .visible) | .items | length == 1218'
e2e_check "the questions are shown before the import" [ "$(jq -r '.components[] | select(.name == "PreviewList") | .items[0][2]' <<<"$d")" = 新的第一题 ]
e2e_check "... after the check's progress ran to its end" [ "$(field "$d" ProgressBar1 visible)/$(field "$d" ProgressBar1 position)" = true/1000 ]
e2e_check "... and nothing is written yet" [ "$(sha "$data/jjj")" = "$before" ]
e2e_screenshot bank-window-preview
click ConfirmButton
until_dump '.message_box.text // "" | contains("要用这 1218 道题替换")' 10 && xdotool key Return 2>/dev/null
e2e_check "the confirmed import is written" state_says "已导入 1218 道题"
e2e_check "... jjj holds the new bank" [ "$(timu "$data/jjj")" = 新的第一题 ]
e2e_check "... and jjj.bak the one before" [ "$(timu "$data/jjj.bak")" = "$original" ]
e2e_check "the manager closes" close_manager

# The trainer in that folder shows the new text.
e2e_start "$data"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60)
until_dump '.components[] | select(.name == "BitBtn2")' 20
e2e_keys "$main" 1
until_dump '.components[] | select(.name == "DBText6")' 20
e2e_check "the trainer shows the imported question" [ "$(field "$d" DBText6 caption)" = 新的第一题 ]
e2e_keys "$main" 8 8
for _ in $(seq 1 40); do e2e_alive || break; sleep 0.25; done
e2e_alive && kill "$MUHE_PID" 2>/dev/null

# The previous bank put back.
start_manager
click RestoreButton
until_dump '.message_box.text // "" | contains("要用上一个题库")' 10 && xdotool key Return 2>/dev/null
e2e_check "the previous bank is restored" state_says "已恢复上一个题库"
e2e_check "... jjj is the bank before the import" [ "$(timu "$data/jjj")" = "$original" ]
e2e_check "... and jjj.bak the imported one" [ "$(timu "$data/jjj.bak")" = 新的第一题 ]
close_manager

e2e_finish
