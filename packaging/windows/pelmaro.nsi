; SPDX-License-Identifier: MIT
; The Windows setup program: installs what the zip holds into
; Program Files\Pelmaro for every user of the PC, with a Start-menu entry
; and an entry under Settings -> Apps, and an uninstaller that removes all
; of it again. Run silently with /S (and /D=folder to choose the folder).
; Neither changes anything while the program runs from the folder: each
; asks first to close it (retry or cancel); a silent run waits for it, and
; gives up with exit code 2, everything as it was. The folders the setup
; makes above the one chosen go again too, each if it holds nothing else.
;
; Built by setup.cmake, whose DEFINES file defines NAME (the program's Japanese name),
; VERSION, PUBLISHER, COPYRIGHT, OUTFILE, SIZE_KB, LICENSE (the program's
; licence, shown on a page of its own), and FILES: an include file with
; the File lines (under INSTALL) and the Delete lines (under UNINSTALL)
; for everything the package holds.

Unicode true
Target amd64-unicode
!include /CHARSET=UTF8 "${DEFINES}"
SetCompressor /SOLID lzma
ManifestDPIAware true
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pelmaro"
!define UNINSTALLER "uninstall.exe"
; The entry's count of the folders above the installation's that its setup
; made (C:\眼鏡店 ツール for /D=C:\眼鏡店 ツール\ペルマロ on a C: without it).
!define MADE_PARENTS "PelmaroMadeParentFolders"

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
; A file that cannot be written stops the setup (retry or cancel), also a
; silent one, instead of leaving the old file under the new version.
AllowSkipFiles off

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
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Japanese"

; What the setup and the uninstaller say in a message box, each one named
; *_MESSAGE here; the manuals quote each one's first line.
!define RUNNING_MESSAGE "「${NAME}」が起動しています。$\r$\n$\r$\n「ＥＮＤ」を押して終了してから「再試行」を押してください。"
!define SETUP_RUNNING_MESSAGE "${RUNNING_MESSAGE}$\r$\n「キャンセル」を押すと、何も変えずにセットアップを終わります。"
!define UNINSTALL_RUNNING_MESSAGE "${RUNNING_MESSAGE}$\r$\n「キャンセル」を押すと、何も削除せずにアンインストールを終わります。"
!define EARLIER_KEPT_MESSAGE "前の版を削除できなかったため、セットアップを終わります。"

; How long a silent run waits for the program to be closed.
!define WAIT_SECONDS 30
; What a run that gives up says to whoever started it: nothing was changed.
!define GAVE_UP 2

; WaitForClose and un.WaitForClose: return once the program no longer runs
; from the folder $0; if it does, they ask to close it (a silent run waits
; up to WAIT_SECONDS), and end the run, changing nothing, on 「キャンセル」 or
; when the time is up. A running program's file cannot be opened for
; writing, which is also what would stop the setup from replacing it.
!macro WAIT_FOR_CLOSE UN MESSAGE
Function ${UN}WaitForClose
  StrCpy $2 0  ; seconds waited
  ${Do}
    ${IfNot} ${FileExists} "$0\pelmaro.exe"
      Return
    ${EndIf}
    ClearErrors
    FileOpen $1 "$0\pelmaro.exe" a
    ${IfNot} ${Errors}
      FileClose $1
      Return
    ${EndIf}
    ${If} ${Silent}
      ${If} $2 >= ${WAIT_SECONDS}
        SetErrorLevel ${GAVE_UP}
        Quit
      ${EndIf}
      Sleep 1000
      IntOp $2 $2 + 1
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${MESSAGE}" IDRETRY retry
      SetErrorLevel ${GAVE_UP}
      Quit
      retry:
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro WAIT_FOR_CLOSE "" "${SETUP_RUNNING_MESSAGE}"
!insertmacro WAIT_FOR_CLOSE "un." "${UNINSTALL_RUNNING_MESSAGE}"

; RemoveMadeParents and un.RemoveMadeParents: remove the $1 folders above
; the folder $0 that a setup made for it, nearest first, each only when
; empty, and stop at the first that stays: it holds something else, and so
; does every folder above it.
!macro REMOVE_MADE_PARENTS UN
Function ${UN}RemoveMadeParents
  ${DoWhile} $1 > 0
    ${If} ${FileExists} "$0\*.*"
      Return
    ${EndIf}
    ${GetParent} "$0" $0
    RMDir "$0"
    IntOp $1 $1 - 1
  ${Loop}
FunctionEnd
!macroend
!insertmacro REMOVE_MADE_PARENTS ""
!insertmacro REMOVE_MADE_PARENTS "un."

; The folders above $INSTDIR that do not exist yet: the ones the setup is
; about to make.
Var MissingParents
Function CountMissingParents
  StrCpy $MissingParents 0
  StrCpy $0 "$INSTDIR"
  ${Do}
    ${GetParent} "$0" $0
    ${If} $0 == ""
    ${OrIf} ${FileExists} "$0\*.*"
      Return
    ${EndIf}
    IntOp $MissingParents $MissingParents + 1
  ${Loop}
FunctionEnd

; An earlier installation, of any version and in any folder, is removed by
; its own uninstaller first, so that one program and one entry remain, with
; the folders its setup made, so that a setup into the same folder makes
; them again and knows them as its own.
; Before that, neither it nor a program in the chosen folder may be running.
Function RemoveEarlier
  StrCpy $0 "$INSTDIR"
  Call WaitForClose
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\${UNINSTALLER}"
    Call WaitForClose
    ReadRegDWORD $5 HKLM "${UNINSTALL_KEY}" "${MADE_PARENTS}"  ; gone with the entry
    ; _?= runs it in place and waits for it; it cannot delete itself then.
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0' $1
    ${If} $1 != 0
      ; This script's uninstaller fails only before removing anything: the
      ; earlier version stays whole.
      MessageBox MB_OK|MB_ICONSTOP "${EARLIER_KEPT_MESSAGE}" /SD IDOK
      SetErrorLevel ${GAVE_UP}
      Quit
    ${EndIf}
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
    StrCpy $1 $5
    Call RemoveMadeParents
  ${EndIf}
FunctionEnd

Section
  SetShellVarContext all
  SetRegView 64
  Call RemoveEarlier
  Call CountMissingParents
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
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${MADE_PARENTS}" $MissingParents
SectionEnd

Section "Uninstall"
  SetShellVarContext all
  SetRegView 64
  StrCpy $0 "$INSTDIR"
  Call un.WaitForClose
  Delete "$SMPROGRAMS\${NAME}.lnk"
  !define UNINSTALL
  !include /CHARSET=UTF8 "${FILES}"
  !undef UNINSTALL
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Removed only when empty: a folder the user chose may hold files of theirs.
  RMDir "$INSTDIR"
  ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "${MADE_PARENTS}"
  StrCpy $0 "$INSTDIR"
  Call un.RemoveMadeParents
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
