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

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartTallyvox
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\使用说明.txt"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "SimpChinese"

LangString StillRunning ${LANG_SIMPCHINESE} "Tallyvox 正在运行。请在它的计数上单击右键，选择“退出”，然后点“重试”。"
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
  ; $R0 = 1 once no Tallyvox window is open and the installed program file can be written.
  Function ${prefix}ProgramReplaceable
    StrCpy $R0 0
    FindWindow $R1 "TfrmMain" "Tallyvox"
    ${If} $R1 <> 0
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
