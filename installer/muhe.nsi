; Setup of the 木禾 trainer for a driving school's PCs: built by scripts/package.sh with
;   makensis -INPUTCHARSET UTF8 -DSTAGE=<folder of the files> -DOUTFILE=<setup exe> muhe.nsi
;
; Layout on the PC:
;   <install folder>\muhe.exe, muhe-bank.exe, uninst.exe   the programs (written only by setup)
;   <install folder>\数据\jjj, bz, bangzhu.chm              the working folder of the shortcuts:
;       the program finds its databases and help file in its working directory, and learners
;       write their marks, resume point and chapter bookmarks there, so the built-in Users
;       group is granted Modify on this folder only (SQLite also creates its journal here)
;   C:\voduvezu\bzt\                                       the sign pages the viewer opens
;   Start menu: the trainer and "题库管理" (the bank tool), both starting in the data folder
;
; Installing over an earlier installation keeps jjj and bz (the learners' marks and progress,
; and a bank the school may have imported) unless a fresh bank is chosen; the replaced files
; are then kept as jjj.bak and bz.bak. Silent mode: /S [/FRESH] [/NODESKTOP] [/D=folder].

Unicode true
; The name muhe-setup.exe is wanted; the manifest asks for administrator rights, so the
; name-based installer detection NSIS warns about does not apply.
!pragma warning disable 9000
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!ifndef STAGE
  !error "STAGE must name the folder that scripts/package.sh fills"
!endif
!ifndef OUTFILE
  !define OUTFILE "muhe-setup.exe"
!endif
!ifndef VERSION
  !define VERSION "2006.1"
!endif
!define PRODUCT "木禾驾驶员考试系统"
!define PUBLISHER "木禾驾驶学校"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MuheTrainer"
!define DATA_DIR "$INSTDIR\数据"
!define SIGN_DIR "C:\voduvezu\bzt"
!define SHORTCUT "${PRODUCT}.lnk"
!define BANK_SHORTCUT "题库管理.lnk"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

!define MUI_ICON "${STAGE}\muhe.ico"
!define MUI_UNICON "${STAGE}\muhe.ico"
!define MUI_ABORTWARNING
; The description box beside the list (not the two-line one below it) holds the whole text of
; "全新题库". The details stay on screen when setup ends, so that a warning (the data folder's
; rights) can be read before going on.
!define MUI_FINISHPAGE_NOAUTOCLOSE
!define MUI_UNFINISHPAGE_NOAUTOCLOSE

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${PRODUCT} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${PUBLISHER}"

; A running trainer keeps muhe.exe open, and replacing or removing the files under it would
; fail half-way: the setup and the uninstaller wait until it is closed (silent: they stop).
!macro DefineWaitUntilClosed UN
Function ${UN}WaitUntilClosed
  ${If} ${FileExists} "$INSTDIR\muhe.exe"
  retry:
    ClearErrors
    FileOpen $0 "$INSTDIR\muhe.exe" a
    ${If} ${Errors}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT}正在运行。请先退出程序，再点“重试”。" /SD IDCANCEL IDRETRY retry
      Abort
    ${EndIf}
    FileClose $0
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineWaitUntilClosed ""
!insertmacro DefineWaitUntilClosed "un."

; Puts an earlier database aside as NAME.bak before the fresh one is installed; stops the
; setup when the file is in use (the program is running).
!macro SetAsideForFreshBank NAME
  ${If} ${FileExists} "${DATA_DIR}\${NAME}"
    Delete "${DATA_DIR}\${NAME}.bak"
    ClearErrors
    Rename "${DATA_DIR}\${NAME}" "${DATA_DIR}\${NAME}.bak"
    ${If} ${Errors}
      MessageBox MB_ICONSTOP|MB_OK "无法替换“${DATA_DIR}\${NAME}”：文件正在使用。请先退出${PRODUCT}，再重新安装。" /SD IDOK
      Abort
    ${EndIf}
    DetailPrint "原来的 ${NAME} 已另存为 ${NAME}.bak"
  ${EndIf}
!macroend

; Installs the shipped database NAME unless the data folder already holds one.
!macro InstallUnlessKept NAME WHAT
  ${If} ${FileExists} "${DATA_DIR}\${NAME}"
    DetailPrint "保留原有的${WHAT}：${DATA_DIR}\${NAME}"
  ${Else}
    File "${STAGE}\${NAME}"
  ${EndIf}
!macroend

Section "!${PRODUCT}" SecProgram
  SectionIn RO
  Call WaitUntilClosed
  SetOutPath "$INSTDIR"
  File "${STAGE}\muhe.exe"
  File "${STAGE}\muhe-bank.exe"
  SetOutPath "${DATA_DIR}"
  File "${STAGE}\bangzhu.chm"
  SetOutPath "${SIGN_DIR}"
  File /r "${STAGE}\bzt\*.*"
  WriteUninstaller "$INSTDIR\uninst.exe"

  ; The shortcuts start in the data folder: the program looks for jjj, bz and bangzhu.chm in
  ; its working directory, which a shortcut takes from the output path when it is created.
  SetShellVarContext all
  SetOutPath "${DATA_DIR}"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${SHORTCUT}" "$INSTDIR\muhe.exe" "" "$INSTDIR\muhe.exe" 0
  ; The bank tool started there finds the installation's bank in its working directory too.
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${BANK_SHORTCUT}" "$INSTDIR\muhe-bank.exe" "" "$INSTDIR\muhe.exe" 0 \
    SW_SHOWNORMAL "" "检查、导出或导入${PRODUCT}的题库"
SectionEnd

Section "桌面快捷方式" SecDesktop
  SetShellVarContext all
  SetOutPath "${DATA_DIR}"
  CreateShortCut "$DESKTOP\${SHORTCUT}" "$INSTDIR\muhe.exe" "" "$INSTDIR\muhe.exe" 0
SectionEnd

Section /o "全新题库" SecFresh
SectionEnd

; Runs after the chosen sections: the two database files, then the rights and the entry in
; the system's list of programs.
Section "-Data"
  SetOutPath "${DATA_DIR}"
  ${If} ${SectionIsSelected} ${SecFresh}
    !insertmacro SetAsideForFreshBank "jjj"
    !insertmacro SetAsideForFreshBank "bz"
  ${EndIf}
  !insertmacro InstallUnlessKept "jjj" "题库（含强化练习标记）"
  !insertmacro InstallUnlessKept "bz" "练习记录（顺序练习进度、分章练习书签）"

  ; Learners work under limited accounts: Users (S-1-5-32-545, named alike in every language
  ; of Windows) may change the files of the data folder and create SQLite's journal beside
  ; them; the programs' folder stays read-only to them.
  nsExec::ExecToLog 'icacls "${DATA_DIR}" /grant *S-1-5-32-545:(OI)(CI)M'
  Pop $0
  ${If} $0 != 0
    DetailPrint "警告：未能给“Users”组设置数据文件夹的修改权限（icacls 返回 $0）。"
  ${EndIf}

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\muhe.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninst.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninst.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "${SIGN_DIR}" "/S=0K" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "考试系统程序、题库维护工具 muhe-bank、帮助文件，以及法规标志页面（C:\voduvezu\bzt）。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecDesktop} "在桌面上放一个${PRODUCT}的快捷方式。"
  !insertmacro MUI_DESCRIPTION_TEXT ${SecFresh} "用安装包自带的题库和练习记录替换现有的：强化练习标记、练习进度和分章书签都会清除，原文件另存为 jjj.bak 和 bz.bak。不选则保留。"
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; Silent installs choose with switches what the components page offers: /FRESH, /NODESKTOP.
Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/FRESH" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecFresh}
  ${EndIf}
  ClearErrors
  ${GetOptions} $R0 "/NODESKTOP" $R1
  ${IfNot} ${Errors}
    !insertmacro UnselectSection ${SecDesktop}
  ${EndIf}
FunctionEnd

; The data folder's databases stay: they hold the learners' marks and progress and perhaps the
; school's own bank. The uninstaller says which files it leaves.
Section "Uninstall"
  Call un.WaitUntilClosed
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}\${SHORTCUT}"
  Delete "$SMPROGRAMS\${PRODUCT}\${BANK_SHORTCUT}"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\${SHORTCUT}"
  Delete "$INSTDIR\muhe.exe"
  Delete "$INSTDIR\muhe-bank.exe"
  Delete "${DATA_DIR}\bangzhu.chm"
  !include "${STAGE}\sign-pages-uninstall.nsh"
  RMDir "${SIGN_DIR}"
  RMDir "C:\voduvezu"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  Delete "$INSTDIR\uninst.exe"
  RMDir "${DATA_DIR}"
  RMDir "$INSTDIR"

  StrCpy $1 ""
  FindFirst $2 $3 "${DATA_DIR}\*.*"
  ${DoWhile} $3 != ""
    ${If} ${FileExists} "${DATA_DIR}\$3"
    ${AndIfNot} ${FileExists} "${DATA_DIR}\$3\*.*"
      ${If} $3 == "jjj"
        StrCpy $4 "（题库和强化练习标记）"
      ${ElseIf} $3 == "bz"
        StrCpy $4 "（顺序练习进度、分章练习书签和法规正文）"
      ${ElseIf} $3 == "jjj.bak"
      ${OrIf} $3 == "bz.bak"
        StrCpy $4 "（更换题库时留下的备份）"
      ${Else}
        StrCpy $4 ""
      ${EndIf}
      StrCpy $1 "$1$\r$\n    $3$4"
      DetailPrint "保留：${DATA_DIR}\$3$4"
    ${EndIf}
    FindNext $2 $3
  ${Loop}
  FindClose $2
  ${If} $1 != ""
    MessageBox MB_ICONINFORMATION|MB_OK "${PRODUCT}已卸载。$\r$\n$\r$\n为保留学员的练习记录，文件夹“${DATA_DIR}”中的以下文件没有删除：$1$\r$\n$\r$\n如果不再需要，可以手动删除这个文件夹。" /SD IDOK
  ${EndIf}
SectionEnd
