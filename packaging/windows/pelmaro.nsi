; SPDX-License-Identifier: MIT
; The Windows setup program: installs what the zip holds into
; Program Files\Pelmaro for every user of the PC, with a Start-menu entry
; and an entry under Settings -> Apps, and an uninstaller that removes all
; of it again. Run silently with /S (and /D=folder to choose the folder).
;
; Built by setup.cmake, whose DEFINES file defines NAME (the program's Japanese name),
; VERSION, PUBLISHER, COPYRIGHT, OUTFILE, SIZE_KB, and FILES: an include
; file with the File lines (under INSTALL) and the Delete lines (under
; UNINSTALL) for everything the package holds.

Unicode true
Target amd64-unicode
!include /CHARSET=UTF8 "${DEFINES}"
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmaro"
!define UNINSTALLER "uninstall.exe"

Name "${NAME}"
Caption "${NAME} ${VERSION} セットアップ"
UninstallCaption "${NAME} ${VERSION} アンインストール"
BrandingText "Pelmaro ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Pelmaro"
; A folder chosen at an earlier installation is offered again.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1041 "ProductName" "Pelmaro"
VIAddVersionKey /LANG=1041 "FileDescription" "${NAME} セットアップ"
VIAddVersionKey /LANG=1041 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1041 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\pelmaro.exe"
!define MUI_FINISHPAGE_RUN_TEXT "${NAME} を起動する"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; An earlier installation, of any version and in any folder, is removed by
; its own uninstaller first, so that one program and one entry remain.
Function RemoveEarlier
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${UNINSTALLER}"
    ; _?= runs it in place and waits for it; it cannot delete itself then.
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section
  SetShellVarContext all
  SetRegView 64
  Call RemoveEarlier
  !define INSTALL
  !include /CHARSET=UTF8 "${FILES}"
  !undef INSTALL
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  SetOutPath "$INSTDIR"  ; the shortcut's working folder
  CreateShortcut "$SMPROGRAMS\${NAME}.lnk" "$INSTDIR\pelmaro.exe" "" "$INSTDIR\pelmaro.exe" 0 \
    SW_SHOWNORMAL "" "${NAME}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\pelmaro.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !define UNINSTALL
  !include /CHARSET=UTF8 "${FILES}"
  !undef UNINSTALL
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Removed only when empty: a folder the user chose may hold files of theirs.
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
