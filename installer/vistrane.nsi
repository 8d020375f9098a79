; The Vistrane installer: Vistrane.exe, VstnMailSend.exe and UnLHA32.dll in one
; folder, a Start-menu shortcut, an optional shortcut in the user's Startup
; folder, and an uninstaller registered in Apps & features.
;
; An administrator installs for all users under Program Files; any other user
; installs for himself under the local programs folder
; (%LOCALAPPDATA%\Programs\Vistrane). /AllUsers and /CurrentUser choose the
; mode on the command line; /S installs silently with the defaults.
;
; The build passes (makensis -D...):
;   VERSION         the product version, e.g. 4.1
;   VERSION_QUAD    the same as four numbers, e.g. 4.1.0.0
;   VISTRANE_EXE, MAILSEND_EXE, UNLHA32_DLL, ICON   the files to package
;   OUTFILE         the installer to write

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true

!define PRODUCT "Vistrane"
!define PUBLISHER "Vistrane Project"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "${PRODUCT}.lnk"
; The resident program's hidden main form; WM_CLOSE ends the program as its
; tray menu's Quit does (it leaves the clipboard-viewer chain and removes its
; tray icon).
!define MAIN_WINDOW_CLASS "VistraneMainForm"
!define END_TIMEOUT_MS 10000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; A reinstall goes where the earlier installation is, in its mode.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "$(AllUsersNotPossible)"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include WinMessages.nsh
!include Win\WinNT.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "$(StartVistraneNow)"
!define MUI_FINISHPAGE_RUN_FUNCTION StartVistrane

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first language is the one for systems whose language is neither.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString SectionPrograms ${LANG_ENGLISH} "Vistrane"
LangString SectionPrograms ${LANG_JAPANESE} "Vistrane"
LangString SectionStartup ${LANG_ENGLISH} "Start Vistrane when I sign in"
LangString SectionStartup ${LANG_JAPANESE} "ログオン時に Vistrane を起動する"
LangString StartVistraneNow ${LANG_ENGLISH} "Start Vistrane now"
LangString StartVistraneNow ${LANG_JAPANESE} "Vistrane を起動する"
LangString EndingVistrane ${LANG_ENGLISH} "Closing the running Vistrane..."
LangString EndingVistrane ${LANG_JAPANESE} "実行中の Vistrane を終了しています..."
LangString VistraneDidNotEnd ${LANG_ENGLISH} \
  "Vistrane did not close. Quit it from its icon in the notification area, then choose Retry."
LangString VistraneDidNotEnd ${LANG_JAPANESE} \
  "Vistrane を終了できませんでした。通知領域のアイコンのメニューから Vistrane を終了してから、[再試行] を押してください。"
LangString AllUsersNotPossible ${LANG_ENGLISH} \
  "Installing Vistrane for all users needs an administrator account."
LangString AllUsersNotPossible ${LANG_JAPANESE} \
  "すべてのユーザー向けのインストールには管理者のアカウントが必要です。"

VIProductVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_JAPANESE} "FileVersion" "${VERSION_QUAD}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_JAPANESE} "LegalCopyright" "Copyright (C) ${PUBLISHER}"

; 1 when the installer ended a running Vistrane, which it then starts again.
Var VistraneWasRunning
; 1 when the user's Startup folder holds our shortcut before the install.
Var StartupLinkFound

; Ends every running Vistrane through its main form's WM_CLOSE and waits,
; bounded, until its process is gone, so that its files can be replaced or
; removed. A Vistrane that does not end aborts the (un)installation unless the
; user quits it and retries.
!macro END_VISTRANE_FUNCTION UN
Function ${UN}EndVistrane
  ${Do}
    FindWindow $R0 "${MAIN_WINDOW_CLASS}"
    ${If} $R0 = 0
      ${ExitDo}
    ${EndIf}
    StrCpy $VistraneWasRunning 1
    DetailPrint "$(EndingVistrane)"
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R1) p .R2'
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=${END_TIMEOUT_MS}
    ${If} $R2 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p R2, i ${END_TIMEOUT_MS}) i .R3'
      System::Call 'kernel32::CloseHandle(p R2)'
    ${Else}
      ; Without a handle to wait on, the form's end is the sign.
      StrCpy $R3 1
      ${For} $R4 1 100
        System::Call 'user32::IsWindow(p R0) i .R5'
        ${If} $R5 = 0
          Sleep 500  ; let the process finish after its window
          StrCpy $R3 0
          ${ExitFor}
        ${EndIf}
        Sleep 100
      ${Next}
    ${EndIf}
    ${If} $R3 <> 0  ; not WAIT_OBJECT_0
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(VistraneDidNotEnd)" /SD IDCANCEL IDRETRY retry
      Abort "$(VistraneDidNotEnd)"
      retry:
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro END_VISTRANE_FUNCTION ""
!insertmacro END_VISTRANE_FUNCTION "un."

; Starts Vistrane through the desktop's shell, so that it runs as the signed-in
; user and not with the installer's elevated rights.
Function StartVistrane
  FindWindow $R0 "${MAIN_WINDOW_CLASS}"
  ${If} $R0 = 0
    Exec '"$WINDIR\explorer.exe" "$INSTDIR\Vistrane.exe"'
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "!$(SectionPrograms)" SecPrograms
  SectionIn RO
  Call EndVistrane
  SetOutPath "$INSTDIR"
  File "${VISTRANE_EXE}"
  File "${MAILSEND_EXE}"
  File "${UNLHA32_DLL}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${SHORTCUT}" "$INSTDIR\Vistrane.exe"

  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Vistrane.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The Startup folder of the user who installs, also in an all-users install:
; starting at log-on is each user's own choice.
Section "$(SectionStartup)" SecStartup
  SetShellVarContext current
  CreateShortcut "$SMSTARTUP\${SHORTCUT}" "$INSTDIR\Vistrane.exe"
  ${If} $MultiUser.InstallMode == "AllUsers"
    SetShellVarContext all
  ${EndIf}
SectionEnd

Section "-Restart"
  ${If} $VistraneWasRunning = 1
    Call StartVistrane
  ${EndIf}
SectionEnd

Function .onInit
  ; Read in the user's own context, which MULTIUSER_INIT may change.
  ${If} ${FileExists} "$SMSTARTUP\${SHORTCUT}"
    StrCpy $StartupLinkFound 1
  ${Else}
    StrCpy $StartupLinkFound 0
  ${EndIf}
  !insertmacro MULTIUSER_INIT
  StrCpy $VistraneWasRunning 0
  ; A reinstall keeps the user's earlier choice not to start at log-on.
  ${If} $MultiUser.InstDir != ""
  ${AndIf} $StartupLinkFound = 0
    !insertmacro UnselectSection ${SecStartup}
  ${EndIf}
FunctionEnd

; The captures and the settings (HKCU\Software\VB and VBA Program Settings\
; TRV Vistrane) stay: a user who installs again gets them back.
Section "Uninstall"
  Call un.EndVistrane
  Delete "$INSTDIR\Vistrane.exe"
  Delete "$INSTDIR\VstnMailSend.exe"
  Delete "$INSTDIR\UnLHA32.dll"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${SHORTCUT}"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  SetShellVarContext current
  Delete "$SMSTARTUP\${SHORTCUT}"
SectionEnd
