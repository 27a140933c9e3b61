#!/usr/bin/env bash
# The installer under Wine, in a copy of the project's prefix: a silent install into a fresh
# folder, the trainer started through its Start-menu shortcut (whose working directory must
# hold jjj and bz), a mark and resume point made in sequential practice kept by a second
# install and replaced by a fresh bank on request, a sign page opened in the installed viewer,
# the installed bank tool (also on the Start menu) checking the installation and importing the
# sample bank saved as a GBK CSV, also into the fresh bank's folder, and a silent uninstall that
# leaves only the databases.
source "$(dirname "$0")/lib.sh"
scratch=$(mktemp -d /tmp/muhe-installer-XXXXXX)
trap 'wineserver -k 2>/dev/null; rm -rf "$scratch"' EXIT

# The test command has just built everything; the setup is made again only when one of its
# parts is newer than it.
setup="$e2e_top/build/dist/muhe-setup.exe"
if [ ! -f "$setup" ] || [ -n "$(find "$e2e_top/build/win/bin/muhe.exe" "$e2e_top/build/win/bin/muhe-bank.exe" \
    "$MUHE_SAMPLE/jjj" "$e2e_top/installer" "$e2e_top/scripts/package.sh" -newer "$setup" -print -quit)" ]; then
  bash "$e2e_top/scripts/package.sh" >/dev/null 2>"$scratch/package.log" || {
    cat "$scratch/package.log"
    echo "installer_test: scripts/package.sh failed"
    exit 1
  }
fi

# A copy of the project's prefix; its system DLLs (nine tenths of it, never written while
# programs run) are shared as hard links, so that the copy takes seconds.
wineserver -w 2>/dev/null || true
mkdir -p "$scratch/prefix"
(cd "$WINEPREFIX" && tar cf - --exclude=./drive_c/windows/system32 .) | (cd "$scratch/prefix" && tar xf -)
cp -al "$WINEPREFIX/drive_c/windows/system32" "$scratch/prefix/drive_c/windows/system32"
export WINEPREFIX="$scratch/prefix"
# No desktop entries for the host from the shortcuts.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"
drive_c="$WINEPREFIX/drive_c"
rm -rf "$drive_c/voduvezu"

win_dir='C:\木禾测试\考试系统'
inst="$drive_c/木禾测试/考试系统"
data="$inst/数据"
menu_link="$drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/木禾驾驶员考试系统/木禾驾驶员考试系统.lnk"
desk_link="$drive_c/users/Public/Desktop/木禾驾驶员考试系统.lnk"
bank_link="$(dirname "$menu_link")/题库管理.lnk"
reg_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\MuheTrainer'
reg_value() { wine reg query "$reg_key" /v "$1" 2>/dev/null | iconv -f GBK -t UTF-8 | tr -d '\r' | awk -v v="$1" '$1 == v { sub(/^ *[^ ]+ +[^ ]+ +/, ""); print }'; }
mark_of() { sqlite3 "$1" "select coalesce(bz, '') from kaoti where id = $2"; }

wine "$setup" /S "/D=$win_dir"
e2e_check "the silent install succeeds" [ $? -eq 0 ]
for f in muhe.exe muhe-bank.exe uninst.exe 数据/jjj 数据/bz 数据/bangzhu.chm; do
  e2e_check "installed $f" [ -s "$inst/$f" ]
done
sign_pages() { [ -s "$drive_c/voduvezu/bzt/警告标志.htm" ] && [ -n "$(ls "$drive_c/voduvezu/bzt/img")" ]; }
e2e_check "the sign pages are in C:\\voduvezu\\bzt" sign_pages
e2e_check "a Start-menu entry" [ -f "$menu_link" ]
e2e_check "a desktop shortcut" [ -f "$desk_link" ]
e2e_check "listed among the programs" [ "$(reg_value DisplayName)" = "木禾驾驶员考试系统" ]
e2e_check "... with its version" [ -n "$(reg_value DisplayVersion)" ]
e2e_check "... publisher" [ "$(reg_value Publisher)" = "木禾驾驶学校" ]
e2e_check "... icon" [ "$(reg_value DisplayIcon)" = "$win_dir\\muhe.exe,0" ]
e2e_check "... and size" [ -n "$(reg_value EstimatedSize)" ]

# The shortcut names the data folder as working directory (checked in its UTF-16 text) and the
# program, which lies one folder above, starts only there.
hex() { od -An -tx1 -v | tr -d ' \n'; }
names_folder() { local h; h=$(printf '%s' "$2" | iconv -t UTF-16LE | hex); [ -n "$h" ] && grep -q "$h" <<<"$(hex <"$1")"; }
e2e_check "the shortcut's working directory is the data folder" names_folder "$menu_link" "$win_dir\\数据"
names_tool() { grep -qa 'muhe-bank\.exe' "$1" || names_folder "$1" muhe-bank.exe; }
e2e_check "a Start-menu entry 题库管理 starts the bank tool" names_tool "$bank_link"
e2e_check "... in the data folder" names_folder "$bank_link" "$win_dir\\数据"
(cd /tmp && exec wine start /unix "$menu_link" >/dev/null 2>&1)
main=$(e2e_wait_window "木禾驾驶员考试系统" 60)
e2e_check "the program started from its shortcut shows the main menu" [ -n "$main" ]
dump=$(e2e_dump)
e2e_check "main menu's first button" [ "$(jq -r '.components[] | select(.name == "BitBtn1") | .caption' <<<"$dump")" = "0模拟考试" ]
e2e_screenshot installed-main-window
# Setup stops while the program runs, rather than fail half-way over its open files.
wine "$setup" /S
e2e_check "an install while the program runs stops" [ $? -eq 2 ]
running() { pgrep -f '木禾测试.考试系统.muhe\.exe' >/dev/null; }
e2e_check "... and goes on running" running

# The learner marks question 3 in sequential practice and leaves it there (resume point 3).
e2e_keys "$main" 1
seq=$(e2e_wait_window "顺序练习" 30)
e2e_check "'1' opens sequential practice" [ -n "$seq" ]
sleep 0.5
e2e_keys "$seq" 6 6 0
e2e_answer_box "提示" Return
e2e_keys "$seq" 8
sleep 0.5
e2e_check "question 3 is marked" [ "$(mark_of "$data/jjj" 3)" = t ]
e2e_check "the resume point is 3" [ "$(sqlite3 "$data/bz" 'select bz from bz1')" = 3 ]
# The installed viewer shows a sign page from C:\voduvezu\bzt, with its pictures' table.
e2e_keys "$main" 5
viewer=$(e2e_wait_window "法规法则" 30)
e2e_check "'5' opens the viewer" [ -n "$viewer" ]
sleep 1
e2e_select_tree_row 警告标志
d=$(e2e_dump)
e2e_check "a sign page from the installed folder" [ "$(e2e_field "$d" WebBrowser1 page)" = 'C:\voduvezu\bzt\警告标志.htm' ]
e2e_check "... read, with its heading" grep -q "^警告标志" <<<"$(e2e_field "$d" WebBrowser1 caption)"
e2e_screenshot installed-sign-page
xdotool mousemove $(( $(jq -r '.window.rect.right' <<<"$d") - 14 )) $(( $(jq -r '.window.rect.top' <<<"$d") + 10 )) click 1 2>/dev/null
sleep 1
e2e_check "the viewer closes to the main menu" [ "$(jq -r '.window.class' <<<"$(e2e_dump)")" = TForm1 ]
e2e_keys "$main" 8
ended=false
for _ in $(seq 1 40); do running || { ended=true; break; }; sleep 0.25; done
e2e_check "'8' ends the installed program" $ended

# The installed bank tool checks the installation, sign pages in C:\voduvezu\bzt included.
check=$(wine "$inst/muhe-bank.exe" check "$win_dir\\数据" 2>&1 | tr -d '\r')
e2e_check "muhe-bank check passes on the installation" grep -q "检查完毕，各项都符合要求" <<<"$check"

# The mark and the resume point survive an install over the installation.
wine "$setup" /S
e2e_check "the second install succeeds" [ $? -eq 0 ]
e2e_check "... in the folder the registry names" [ ! -e "$drive_c/Program Files/木禾驾驶员考试系统" ]
e2e_check "the mark in jjj is kept" [ "$(mark_of "$data/jjj" 3)" = t ]
e2e_check "the resume point in bz is kept" [ "$(sqlite3 "$data/bz" 'select bz from bz1')" = 3 ]
wine "$setup" /S /FRESH /NODESKTOP
e2e_check "a fresh bank clears the mark" [ "$(mark_of "$data/jjj" 3)" = "" ]
e2e_check "... and the resume point" [ "$(sqlite3 "$data/bz" 'select bz from bz1')" = 1 ]
e2e_check "... keeping the replaced files as jjj.bak and bz.bak" [ "$(mark_of "$data/jjj.bak" 3)" = t ]
e2e_check "the Start-menu entry stays" [ -f "$menu_link" ]

# The sample bank saved by a spreadsheet on a Chinese PC: GBK, pictures beside it, imported by
# the installed tool from a folder with a Chinese name; the bank comes out exactly the same.
bank_dir="$scratch/题库"
mkdir -p "$bank_dir/图片"
sqlite3 -csv -header "$MUHE_SAMPLE/jjj" "select id, tihao, timu, A, B, C, daan,
  case when length(image) > 0 then 'q' || id || '.bmp' else '' end as image, t, lei1, lei2, lei3, bz from kaoti order by id" \
  | iconv -f UTF-8 -t GBK > "$bank_dir/bank.csv"
gbk_text() { [ -s "$1" ] && ! iconv -f UTF-8 -t UTF-8 "$1" >/dev/null 2>&1; }
e2e_check "the sample bank is GBK text" gbk_text "$bank_dir/bank.csv"
(cd "$bank_dir/图片" && sqlite3 "$MUHE_SAMPLE/jjj" "select writefile('q' || id || '.bmp', image) from kaoti where length(image) > 0" >/dev/null)
zbank="Z:$(tr / '\\' <<<"$bank_dir")"
out=$(wine "$inst/muhe-bank.exe" import "$zbank\\bank.csv" "$zbank\\图片" "$zbank\\导入" 2>&1 | tr -d '\r')
e2e_check "muhe-bank.exe imports the GBK file ($(head -n 1 <<<"$out"))" grep -q "共 1218 道题，.*（CSV 文件编码 GBK，逗号分隔）" <<<"$out"
rows() { sqlite3 "$1" "select id, tihao, timu, A, B, C, daan, hex(image), t, lei1, lei2, lei3, bz from kaoti order by id"; }
same_rows() { [ "$(sqlite3 "$1" 'select count(*) from kaoti')" = 1218 ] && [ "$(rows "$1" | sha256sum)" = "$(rows "$2" | sha256sum)" ]; }
e2e_check "the imported bank equals the sample bank row for row" same_rows "$bank_dir/导入/jjj" "$MUHE_SAMPLE/jjj"
printf 'id,timu\n1,\xff\xfe\xff\n' >"$bank_dir/bad.csv"
out=$(wine "$inst/muhe-bank.exe" import "$zbank\\bad.csv" "$zbank\\图片" "$zbank\\坏" 2>&1 | tr -d '\r')
e2e_check "a file in no known encoding gets one message" [ "$(grep -c "文件编码有误" <<<"$out")" = 1 ]
e2e_check "... and nothing is written" [ ! -e "$bank_dir/坏/jjj" ]
# Into the installation made with a fresh bank, whose data folder already holds a jjj.bak.
sqlite3 "$data/jjj" "update kaoti set timu = '全新安装的' where id = 1"
out=$(wine "$inst/muhe-bank.exe" import "$zbank\\bank.csv" "$zbank\\图片" "$win_dir\\数据" 2>&1 | tr -d '\r')
e2e_check "muhe-bank.exe imports into the fresh installation ($(head -n 1 <<<"$out"))" same_rows "$data/jjj" "$MUHE_SAMPLE/jjj"
e2e_check "... replacing its jjj.bak by the bank it replaced" [ "$(sqlite3 "$data/jjj.bak" 'select timu from kaoti where id = 1')" = 全新安装的 ]

# The silent uninstall removes the programs, pages, shortcuts and entry, and keeps the data.
wine "$inst/uninst.exe" /S
wineserver -w
none_left() { for f in "$@"; do [ ! -e "$f" ] || return 1; done; }
e2e_check "the programs are gone" none_left "$inst/muhe.exe" "$inst/muhe-bank.exe" "$inst/uninst.exe" "$data/bangzhu.chm"
e2e_check "the sign pages are gone" [ ! -e "$drive_c/voduvezu" ]
e2e_check "the shortcuts are gone" none_left "$menu_link" "$bank_link" "$desk_link" "$(dirname "$menu_link")"
e2e_check "the entry in the list of programs is gone" [ -z "$(reg_value DisplayName)" ]
e2e_check "the learner's databases stay" [ "$(cd "$data" && ls | tr "\n" " ")" = "bz bz.bak jjj jjj.bak " ]
e2e_check "... alone in the installation folder" [ "$(ls "$inst")" = "数据" ]

e2e_finish
