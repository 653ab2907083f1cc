; The Windows installer, for one person and without an administrator: the
; programs, the README, docs\ and the sample into
; %LOCALAPPDATA%\Programs\tarvelkin, a Start menu entry that opens the shelf
; through ccview-start.exe (no console window), and an uninstaller registered
; for this person. The uninstaller removes what the installer wrote, file by
; file, and never a whole folder: a person may have chosen a folder that holds
; other things, and their configs and settings (%APPDATA%\tarvelkin) stay.
;
; Built by the target "installer" of a Windows build (cmake/nsisInstaller.cmake),
; which defines VERSION, OUTFILE, ICON, SIZE (the installed size in KiB) and
; LISTS, the folder of install.nsh and uninstall.nsh: the staged install's
; files, to install and to remove.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel user

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\tarvelkin"

Name "tarvelkin"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\tarvelkin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "tarvelkin ${VERSION}"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\ccview-start.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Open tarvelkin"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

!define STILL_RUNNING "tarvelkin is still running (ccview.exe in $INSTDIR).$\r$\n$\r$\nClose its pages and wait for it to end, or end ccview.exe in the Task Manager, then try again."

Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section "tarvelkin"
  ; An earlier install goes first, through its own uninstaller run in place,
  ; so that no file the new version lacks stays behind unlisted.
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  StrCmp $0 "" fresh
  IfFileExists "$0\uninstall.exe" 0 fresh
  ExecWait '"$0\uninstall.exe" /S _?=$0' $1
  StrCmp $1 0 fresh
  MessageBox MB_OK|MB_ICONSTOP "${STILL_RUNNING}" /SD IDOK
  SetErrorLevel 2
  Abort
fresh:
  !include "${LISTS}\install.nsh"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The entry starts in the person's own folder, as a terminal would.
  SetOutPath "$PROFILE"
  CreateShortcut "$SMPROGRAMS\tarvelkin.lnk" "$INSTDIR\ccview-start.exe" "" "$INSTDIR\ccview-start.exe" 0 \
    SW_SHOWNORMAL "" "Choose a console tool's options in a form and run it"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "tarvelkin"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "tarvelkin developers"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ccview-start.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE}
SectionEnd

Section "Uninstall"
  ; A running ccview.exe cannot be removed: then nothing is.
  ClearErrors
  Delete "$INSTDIR\ccview.exe"
  IfErrors 0 removable
  MessageBox MB_OK|MB_ICONSTOP "${STILL_RUNNING}" /SD IDOK
  SetErrorLevel 2
  Abort
removable:
  !include "${LISTS}\uninstall.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  ; The folder of per-user programs, when the install made it: only if empty.
  RMDir "$LOCALAPPDATA\Programs"
  Delete "$SMPROGRAMS\tarvelkin.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
