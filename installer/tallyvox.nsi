; Tallyvox installer: a per-user install (no administrator rights) under
; %LOCALAPPDATA%\Programs\Tallyvox with a Start-menu shortcut and an uninstaller registered in
; HKCU. Built by cmake/Packaging.cmake, which passes VERSION, EXE, SETTINGS, USAGE, ICON, OUTFILE.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include "MUI2.nsh"
!include "LogicLib.nsh"

!macro REQUIRE_DEFINE name
  !ifndef ${name}
    !error "makensis needs -D${name}=... (cmake/Packaging.cmake passes it)"
  !endif
!macroend
!insertmacro REQUIRE_DEFINE VERSION
!insertmacro REQUIRE_DEFINE EXE
!insertmacro REQUIRE_DEFINE SETTINGS
!insertmacro REQUIRE_DEFINE USAGE
!insertmacro REQUIRE_DEFINE ICON
!insertmacro REQUIRE_DEFINE OUTFILE

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyvox"

Name "Tallyvox"
Caption "Tallyvox ${VERSION} 安装"
UninstallCaption "Tallyvox 卸载"
BrandingText "Tallyvox ${VERSION}"
OutFile "${OUTFILE}"
; Per user, beside the other per-user programs: writable, so qorvane.db can be saved in place.
InstallDir "$LOCALAPPDATA\Programs\Tallyvox"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

; The pages say what this installer does: the defaults speak of system files and restarts,
; which a per-user install touches neither.
!define MUI_WELCOMEPAGE_TEXT "此向导将为当前用户安装 Tallyvox ${VERSION}。$\r$\n$\r$\n安装不需要管理员权限，不改动系统文件，也不需要重新启动电脑。如果 Tallyvox 正在运行，安装程序会请您先退出它。$\r$\n$\r$\n升级安装会保留您的设置（qorvane.db）。$\r$\n$\r$\n单击“下一步”继续。"
!insertmacro MUI_PAGE_WELCOME
!define MUI_DIRECTORYPAGE_TEXT_TOP "Tallyvox 将安装到下面的文件夹。建议保留默认位置：Tallyvox 把设置保存在自己的文件夹里，所以这个文件夹必须可以写入；C:\Program Files 这样的文件夹不用管理员权限就无法写入，设置将无法保存。"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartTallyvox
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\使用说明.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "打开使用说明"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

LangString StillRunning ${LANG_SIMPCHINESE} "Tallyvox 正在运行。请先退出它：在悬浮窗的任意一个计数上单击鼠标右键，在菜单中选择“退出(X)”，然后单击“重试”。"
LangString AskRemoveSettings ${LANG_SIMPCHINESE} "是否同时删除设置文件 qorvane.db？$\r$\n$\r$\n选“否”将保留您的设置，以后重新安装时继续使用。"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Tallyvox"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "Tallyvox 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "Tallyvox 项目"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "© 2026 Tallyvox 项目"

; A running tallyvox.exe cannot be replaced or deleted; ask the player to quit it first. After
; 退出 the window goes at once but the process may live up to a second longer, finishing the clip
; in hand, so the installer also waits (5 s at most) until the installed tallyvox.exe can be
; opened for writing. A silent run cannot ask, so it fails (exit code 2) instead of leaving a
; half-updated folder.
!macro DEFINE_ENSURE_NOT_RUNNING prefix
  ; $R1 = 1 while a Tallyvox started from $INSTDIR runs: it holds a shared block named for its
  ; folder. The name is derived as src/program/FolderInstanceName.h says, from the folder with
  ; long names and in upper case (the program calls the same two functions): "Local\Tallyvox-",
  ; the CRC-32 of the folder's UTF-16 bytes, "-", its last 200 characters with "/" for "\".
  ; A copy running from another folder is a setup of its own and blocks nothing here.
  Function ${prefix}RunsHere
    Push $0
    Push $1
    Push $2
    Push $3
    Push $4
    Push $5
    Push $6
    StrCpy $0 $INSTDIR
    System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $2 > 0
    ${AndIf} $2 < ${NSIS_MAX_STRLEN}
      StrCpy $0 $1
    ${EndIf}
    ${Do}
      StrCpy $1 $0 1 -1
      ${If} $1 != "\"
      ${AndIf} $1 != "/"
        ${ExitDo}
      ${EndIf}
      StrCpy $0 $0 -1
    ${Loop}
    StrLen $2 $0
    System::Call 'user32::CharUpperBuffW(w r0 r0, i r2)'
    IntOp $3 $2 * 2
    System::Call 'ntdll::RtlComputeCrc32(i 0, w r0, i r3) i .r4'
    IntFmt $4 "%08X" $4
    ${If} $2 > 200
      StrCpy $0 $0 "" -200
    ${EndIf}
    StrCpy $5 ""
    StrCpy $6 0
    ${Do}
      StrCpy $1 $0 1 $6
      ${If} $1 == ""
        ${ExitDo}
      ${EndIf}
      ${If} $1 == "\"
        StrCpy $1 "/"
      ${EndIf}
      StrCpy $5 "$5$1"
      IntOp $6 $6 + 1
    ${Loop}
    StrCpy $5 "Local\Tallyvox-$4-$5"
    StrCpy $R1 0
    System::Call 'kernel32::OpenFileMappingW(i 4, i 0, w r5) p .r6'
    ${If} $6 <> 0
      StrCpy $R1 1
      System::Call 'kernel32::CloseHandle(p r6)'
    ${EndIf}
    Pop $6
    Pop $5
    Pop $4
    Pop $3
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd

  ; $R0 = 1 once no Tallyvox of this folder runs and the installed program file can be written.
  Function ${prefix}ProgramReplaceable
    StrCpy $R0 0
    Call ${prefix}RunsHere
    ${If} $R1 = 1
      Return
    ${EndIf}
    ${IfNot} ${FileExists} "$INSTDIR\tallyvox.exe"
      StrCpy $R0 1
      Return
    ${EndIf}
    ClearErrors
    FileOpen $R1 "$INSTDIR\tallyvox.exe" a
    ${IfNot} ${Errors}
      FileClose $R1
      StrCpy $R0 1
    ${EndIf}
  FunctionEnd

  Function ${prefix}EnsureNotRunning
    ${Do}
      StrCpy $R2 0
      ${Do}
        Call ${prefix}ProgramReplaceable
        ${If} $R0 = 1
          Return
        ${EndIf}
        IntOp $R2 $R2 + 1
        ${If} $R2 > 50
          ${ExitDo}
        ${EndIf}
        Sleep 100
      ${Loop}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY +2
      Abort
    ${Loop}
  FunctionEnd
!macroend
!insertmacro DEFINE_ENSURE_NOT_RUNNING ""
!insertmacro DEFINE_ENSURE_NOT_RUNNING "un."

; Exec runs in $OUTDIR, so the program starts in its own folder, as from the shortcut.
Function StartTallyvox
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\tallyvox.exe"'
FunctionEnd

Section "Tallyvox" SecMain
  SectionIn RO
  Call EnsureNotRunning

  SetOutPath "$INSTDIR"
  File "/oname=tallyvox.exe" "${EXE}"
  File "/oname=使用说明.txt" "${USAGE}"
  ; Once installed, the settings file is the player's: an upgrade never replaces it.
  SetOverwrite off
  File "/oname=qorvane.db" "${SETTINGS}"
  SetOverwrite on
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The shortcut's working folder is $OUTDIR (the install folder): the menu's usage command
  ; opens 使用说明.txt relative to the current folder.
  CreateShortCut "$SMPROGRAMS\Tallyvox.lnk" "$INSTDIR\tallyvox.exe" "" \
                 "$INSTDIR\tallyvox.exe" 0 SW_SHOWNORMAL "" "游戏倒计时悬浮窗"

  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Tallyvox"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "Tallyvox 项目"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\tallyvox.exe,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  SectionGetSize ${SecMain} $0
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Call un.EnsureNotRunning

  Delete "$SMPROGRAMS\Tallyvox.lnk"
  Delete "$INSTDIR\tallyvox.exe"
  Delete "$INSTDIR\使用说明.txt"
  ; The settings are the player's: removed only when they say so; a silent uninstall keeps them.
  ${If} ${FileExists} "$INSTDIR\qorvane.db"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(AskRemoveSettings)" /SD IDNO IDNO +2
    Delete "$INSTDIR\qorvane.db"
  ${EndIf}
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
