; SPDX-License-Identifier: MIT
; Moving an installation to the folder the user names.
;
; Setup upgrades an installation where it is, unless /D= (or the wizard's
; folder page) names another folder: whoever named it means it. The files
; then go into the new folder as for a new installation (staging.nsh: a
; failure takes them back and leaves the old installation as it was), the
; Uninstall key names the new folder, a screen saver setting that named the
; old quorvana.scr names the new one, and only then do the old folder's
; installed files go, the folder with them when nothing else is in it. The
; settings under HKCU\Software\Quorvana stay. The log says so in one line.
; For all users quorvana.scr stays in the system folder; only the uninstaller
; and the texts move.

; $R9 = 1 when $R1 and $R2 name one folder (any case, long or short names).
Function IsSameFolder
  StrCpy $R9 1
  ${If} $R1 == $R2
    Return
  ${EndIf}
  GetFullPathName /SHORT $R3 "$R1"
  GetFullPathName /SHORT $R4 "$R2"
  ${If} $R3 == ""
  ${OrIf} $R3 != $R4
    StrCpy $R9 0
  ${EndIf}
FunctionEnd

; At the start of the install section, once $INSTDIR is final: the
; installation's own folder in another spelling keeps its spelling. The old
; quorvana.scr of a move for just me must not be running either.
Function DecideMove
  StrCpy $MovingFrom ""
  ${If} $UpgradeDir == ""
    Return
  ${EndIf}
  StrCpy $R1 $INSTDIR
  StrCpy $R2 $UpgradeDir
  Call IsSameFolder
  ${If} $R9 == 1
    StrCpy $INSTDIR $UpgradeDir
    Return
  ${EndIf}
  StrCpy $MovingFrom $UpgradeDir
  ${If} $MultiUser.InstallMode == "CurrentUser"
    StrCpy $R6 "$MovingFrom\quorvana.scr"
    Call WaitUntilClosed
  ${EndIf}
FunctionEnd

; After the new installation is complete and registered.
Function FinishMove
  ${If} $MovingFrom == ""
    Return
  ${EndIf}
  ${If} $MultiUser.InstallMode == "CurrentUser"
    ; Even with /KeepScreenSaver: the setting must not name a file that goes.
    ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    StrCpy $R6 "$MovingFrom\quorvana.scr"
    Call NamesFile
    ${If} $R9 == 1
      GetFullPathName /SHORT $R8 "$ScrPath"
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R8
    ${EndIf}
    Delete /REBOOTOK "$MovingFrom\quorvana.scr"
  ${EndIf}
  Delete "$MovingFrom\README.txt"
  Delete "$MovingFrom\LICENSE.txt"
  Delete "$MovingFrom\uninstall.exe"
  RMDir "$MovingFrom"  ; only when empty: files the user put there stay
  DetailPrint "Moved Quorvana from $MovingFrom to $INSTDIR, the folder asked for; the settings stay."
  !insertmacro LOG_LINE "Moved Quorvana from $MovingFrom to $INSTDIR, the folder asked for; the settings stay."
FunctionEnd

; In .onInstFailed, after the new folder's files are taken back: a key that
; registration had begun to rewrite names the old folder again.
!macro ROLL_BACK_MOVE
  ${If} $MovingFrom != ""
  ${AndIf} $Committed == 4
    StrCpy $INSTDIR $MovingFrom
    Call SetScrPath
    Call RegisterUninstaller
  ${EndIf}
!macroend
