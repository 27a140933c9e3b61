#!/usr/bin/env bash
# The Windows bank tool under Wine as a school uses it: three imports into one folder (each
# keeping the bank before it as jjj.bak), an import into a fresh installation's folder that
# already holds a jjj.bak, an import refused while the trainer has the bank open (nothing
# changes), and the Chinese messages for a target that is a file, a missing drive and bad
# pictures; the bank exported and imported again unchanged; and the tool started without
# arguments in a console of its own opening the bank manager's window instead.
source "$(dirname "$0")/lib.sh"
scratch=$(mktemp -d /tmp/muhe-bank-e2e-XXXXXX)
trap 'wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT
tool="$e2e_top/build/win/bin/muhe-bank.exe"
win() { printf 'Z:%s' "$(tr / '\\' <<<"$1")"; }
bank() { wine "$tool" "$@" 2>&1 | tr -d '\r'; }
timu() { sqlite3 "$1" "select timu from kaoti where id = 1"; }
rows() { sqlite3 "$1" "select id, tihao, timu, A, B, C, daan, hex(image), t, lei1, lei2, lei3, bz from kaoti order by id" | sha256sum; }
# Apart from file names (in quotes) and the names of files and encodings, no English words.
# Lines of Wine's own ("wine: …", from a system process that a Wine start launched with the
# tool's output) are not the tool's.
chinese() { ! grep -v '^wine: ' <<<"$1" | sed 's/“[^”]*”//g; s/bangzhu\.chm//g; s/Unicode//g' | grep -qE '[A-Za-z]{4,}'; }

# The sample bank as a school's CSV (UTF-8 from the database) and its picture folder.
mkdir -p "$scratch/图片"
sqlite3 -csv -header "$MUHE_SAMPLE/jjj" "select id, tihao, timu, A, B, C, daan,
  case when length(image) > 0 then 'q' || id || '.bmp' else '' end as image, t, lei1, lei2, lei3, bz from kaoti order by id" \
  >"$scratch/bank.csv"
(cd "$scratch/图片" && sqlite3 "$MUHE_SAMPLE/jjj" "select writefile('q' || id || '.bmp', image) from kaoti where length(image) > 0" >/dev/null)
csv=$(win "$scratch/bank.csv")
pics=$(win "$scratch/图片")

# Three imports into one new folder; the question text changed between them shows which bank
# jjj.bak holds.
data="$scratch/数据"
out=$(bank import "$csv" "$pics" "$(win "$data")")
e2e_check "the first import succeeds ($(head -n 1 <<<"$out"))" grep -q "共 1218 道题，12 套各 100 道" <<<"$out"
e2e_check "... and says the new folder still needs bz and bangzhu.chm" grep -q "还没有 bz、bangzhu.chm" <<<"$out"
sqlite3 "$data/jjj" "update kaoti set timu = '第一次' where id = 1"
out=$(bank import "$csv" "$pics" "$(win "$data")")
e2e_check "the second import succeeds" grep -q "原来的题库已另存为 .*jjj.bak" <<<"$out"
sqlite3 "$data/jjj" "update kaoti set timu = '第二次' where id = 1"
out=$(bank import "$csv" "$pics" "$(win "$data")")
e2e_check "the third import, over an existing jjj.bak, succeeds ($(head -n 1 <<<"$out"))" grep -q "原来的题库已另存为 .*jjj.bak" <<<"$out"
e2e_check "... jjj.bak is the bank it replaced" [ "$(timu "$data/jjj.bak")" = 第二次 ]
e2e_check "... jjj is the imported bank" [ "$(rows "$data/jjj")" = "$(rows "$MUHE_SAMPLE/jjj")" ]
e2e_check "... and nothing else is left in the folder" [ "$(ls "$data" | tr '\n' ' ')" = "jjj jjj.bak " ]

# A fresh installation's data folder, which already holds a jjj.bak.
inst=$(e2e_workdir sample)
trap 'wineserver -k 2>/dev/null; rm -rf "$scratch" "$inst"' EXIT
cp "$MUHE_SAMPLE/jjj" "$inst/jjj.bak"
sqlite3 "$inst/jjj" "update kaoti set timu = '安装的' where id = 1"
out=$(bank import "$csv" "$pics" "$(win "$inst")")
e2e_check "an import into an installation with a jjj.bak succeeds" grep -q "原来的题库已另存为" <<<"$out"
e2e_check "... keeping the installed bank as jjj.bak" [ "$(timu "$inst/jjj.bak")" = 安装的 ]
nothing_missing() { ! grep -q "还没有" <<<"$1"; }
e2e_check "... with nothing more to do" nothing_missing "$out"

# The trainer running on the folder: refused before anything is written, in Chinese.
sqlite3 "$inst/jjj" "update kaoti set timu = '运行中' where id = 1"
before=$(rows "$inst/jjj")
e2e_start "$inst"
main=$(e2e_wait_window "木禾驾驶员考试系统" 60)
e2e_check "the trainer runs on the folder" [ -n "$main" ]
out=$(bank import "$csv" "$pics" "$(win "$inst")")
e2e_check "an import while it runs is refused ($(head -n 1 <<<"$out"))" grep -q "正被打开.*请先关闭所有正在使用这个文件夹的木禾驾驶员考试系统" <<<"$out"
e2e_check "... in Chinese" chinese "$out"
e2e_check "... the bank is unchanged" [ "$(rows "$inst/jjj")" = "$before" ]
e2e_check "... so is jjj.bak" [ "$(timu "$inst/jjj.bak")" = 安装的 ]
e2e_check "... and no scratch file is left" [ "$(ls "$inst" | tr '\n' ' ')" = "bangzhu.chm bz jjj jjj.bak " ]
[ -n "$main" ] && e2e_keys "$main" 8
for _ in $(seq 1 40); do e2e_alive || break; sleep 0.25; done
e2e_alive && kill "$MUHE_PID" 2>/dev/null
wineserver -w 2>/dev/null
out=$(bank import "$csv" "$pics" "$(win "$inst")")
e2e_check "once the trainer has ended the import succeeds" [ "$(timu "$inst/jjj.bak")" = 运行中 ]

# A target that is a file, a drive that does not exist.
echo x >"$scratch/文件"
out=$(bank import "$csv" "$pics" "$(win "$scratch/文件")")
e2e_check "a file as target is named as such ($out)" grep -q "是一个文件，不是文件夹：请指定" <<<"$out"
e2e_check "... in Chinese" chinese "$out"
out=$(bank import "$csv" "$pics" 'Q:\题库')
e2e_check "a missing drive is named ($out)" grep -q "没有驱动器“Q:”：请检查" <<<"$out"

# Pictures: an empty one and names reaching out of the folder, each by row and column.
first=$(ls "$scratch/图片" | head -n 1)
: >"$scratch/图片/empty.bmp"
{
  echo 'id,tihao,timu,A,B,C,daan,image,t,lei1,lei2,lei3'
  for picture in "$first" empty.bmp '..\bank.csv' 'C:\windows\win.ini'; do
    echo "1,1.1.1,题,对,错,,A,$picture,1,各准驾车型通用试题,节,判断题"
  done
} >"$scratch/pictures.csv"
out=$(bank import "$(win "$scratch/pictures.csv")" "$pics" "$(win "$scratch/坏")")
e2e_check "an empty picture is refused by row and column" grep -q "第 3 行，“image”列：图片文件.*是空的（0 字节）" <<<"$out"
e2e_check "... a name leaving the folder" grep -q "第 4 行，“image”列：图片文件名“..\\\\bank.csv”不能含有“..”" <<<"$out"
e2e_check "... and a drive letter" grep -q "第 5 行，“image”列：图片文件名“C:\\\\windows\\\\win.ini”不能带驱动器号" <<<"$out"
e2e_check "... nothing is written" [ ! -e "$scratch/坏" ]

# Export, then import of the export into a fresh folder: every column of every row the same,
# down to the type of each value, and every picture.
exported="$scratch/导出"
out=$(bank export "$(win "$MUHE_SAMPLE")" "$(win "$exported/题库.csv")" "$(win "$exported/图片")")
e2e_check "the sample bank is exported ($out)" grep -q "已导出 1218 道题" <<<"$out"
bom() { [ "$(head -c 3 "$1" | od -An -tx1 | tr -d ' ')" = efbbbf ]; }
e2e_check "... as UTF-8 with a byte-order mark" bom "$exported/题库.csv"
e2e_check "... with every picture" [ "$(ls "$exported/图片" | wc -l)" = "$(sqlite3 "$MUHE_SAMPLE/jjj" 'select count(*) from kaoti where length(image) > 0')" ]
out=$(bank import "$(win "$exported/题库.csv")" "$(win "$exported/图片")" "$(win "$exported/数据")")
e2e_check "the export imports into a fresh folder" grep -q "共 1218 道题" <<<"$out"
exact() { sqlite3 "$1" "select quote(id), quote(tihao), quote(timu), quote(A), quote(B), quote(C), quote(daan), quote(image),
  quote(t), quote(lei1), quote(lei2), quote(lei3), quote(bz) from kaoti order by id" | sha256sum; }
e2e_check "... and gives back the same bank byte for byte" [ "$(exact "$exported/数据/jjj")" = "$(exact "$MUHE_SAMPLE/jjj")" ]
out=$(bank export "$(win "$scratch")" "$(win "$scratch/x.csv")" "$(win "$scratch/x")")
e2e_check "exporting a folder without a bank is refused in words ($out)" grep -q "中没有题库文件 jjj：请指定" <<<"$out"

# Started as the Start menu starts it (a console of its own, no arguments), the tool is the bank
# manager's window on the folder it starts in, and the console it was given goes.
wine reg add 'HKCU\Software\Wine\AppDefaults\muhe-bank.exe\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
(cd "$MUHE_SAMPLE" && exec wine start /wait "$(win "$tool")" >/dev/null 2>&1) &
started_pid=$!
manager=$(e2e_wait_window "木禾题库管理" 30)
e2e_check "without arguments in its own console the tool opens the manager's window" [ -n "$manager" ]
e2e_check "... on the folder it starts in" [ "$(e2e_field "$(e2e_dump)" FolderEdit caption)" = "$(win "$MUHE_SAMPLE")" ]
no_console() { ! xdotool search --onlyvisible --name 'muhe-bank' >/dev/null 2>&1; }
e2e_check "... and no console stands beside it" no_console
# Closed as a user would: a click on its caption (without a window manager the console that
# went may have kept the keyboard), then Alt+F4.
if [ -n "$manager" ]; then
  eval "$(xdotool getwindowgeometry --shell "$manager" 2>/dev/null)"
  xdotool mousemove $((X + 200)) $((Y + 8)) click 1 2>/dev/null
  sleep 0.5
  xdotool key alt+F4 2>/dev/null
fi
ended=false
for _ in $(seq 1 80); do kill -0 "$started_pid" 2>/dev/null || { ended=true; break; }; sleep 0.25; done
e2e_check "... which ends when the window is closed" $ended

e2e_finish
