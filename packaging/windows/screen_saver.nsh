; SPDX-License-Identifier: MIT
; Making Quorvana the user's screen saver, and giving the previous one back.
;
; Windows starts the file that HKCU\Control Panel\Desktop "SCRNSAVE.EXE"
; names (written, as Screen Saver Settings writes it, as a short path) when
; "ScreenSaveActive" is "1". The installer remembers both values under
; HKCU\Software\Quorvana\Installer before it changes them (an empty string
; for a value that did not exist), unless SCRNSAVE.EXE already names an
; installed quorvana.scr: then the memory of the first installation stands.
; The uninstaller changes them only while SCRNSAVE.EXE names its own file (a
; screen saver the user chose since then stays): to the user's other copy
; while one remains (older versions of Setup made pairs, scope.nsh), else
; back to what it remembered, which it forgets with the last copy.

!define DESKTOP_KEY "Control Panel\Desktop"
!define MEMORY_KEY "Software\Quorvana\Installer"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_TELL 3  ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE

; $R9 = 1 when $R7 (a SCRNSAVE.EXE value) names the file $R6, long or short
; (a file that does not exist has no short name: "").
!macro DEFINE_NAMES_FILE UN
Function ${UN}NamesFile
  StrCpy $R9 0
  GetFullPathName /SHORT $R8 "$R6"
  ${If} $R7 == ""
    Return
  ${ElseIf} $R7 == $R6
  ${OrIf} $R7 == $R8
    StrCpy $R9 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_NAMES_FILE ""
!insertmacro DEFINE_NAMES_FILE "un."

; $R9 = 1 when $R7 names the quorvana.scr of an installation: this one, the
; one it moves from, or the user's copy in the other scope.
Function NamesInstalledCopy
  StrCpy $R6 $ScrPath
  Call NamesFile
  ${If} $R9 == 1
    Return
  ${EndIf}
  StrCpy $R6 "$SYSDIR\quorvana.scr"
  Call NamesFile
  ${If} $R9 == 1
    Return
  ${EndIf}
  ReadRegStr $R6 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $R6 != ""
    StrCpy $R6 "$R6\quorvana.scr"
    Call NamesFile
    ${If} $R9 == 1
      Return
    ${EndIf}
  ${EndIf}
  ${If} $MovingFrom != ""
    StrCpy $R6 "$MovingFrom\quorvana.scr"
    Call NamesFile
  ${EndIf}
FunctionEnd

; $R6 = the quorvana.scr of the user's installation in the other scope, or "".
Function un.OtherCopy
  ${If} $MultiUser.InstallMode == "AllUsers"
    ReadRegStr $R6 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R6 != ""
      StrCpy $R6 "$R6\quorvana.scr"
    ${EndIf}
  ${Else}
    ReadRegStr $R6 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R6 != ""
      StrCpy $R6 "$SYSDIR\quorvana.scr"
    ${EndIf}
  ${EndIf}
FunctionEnd

; Tells running programs (and Windows' idle timer) that the setting changed.
!macro ANNOUNCE_SCREEN_SAVE_ACTIVE ACTIVE
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i ${ACTIVE}, p 0, i ${SPIF_UPDATE_AND_TELL})'
!macroend

Function UseAsScreenSaver
  ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Call NamesInstalledCopy
  ${If} $R9 != 1
    WriteRegStr HKCU "${MEMORY_KEY}" "PreviousScreenSaver" $R7
    ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    WriteRegStr HKCU "${MEMORY_KEY}" "PreviousScreenSaveActive" $R7
  ${EndIf}
  GetFullPathName /SHORT $R8 "$ScrPath"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R8
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  !insertmacro ANNOUNCE_SCREEN_SAVE_ACTIVE 1
FunctionEnd

; Without a remembered screen saver SCRNSAVE.EXE is removed: it would name a
; file that is about to go.
Function un.GiveBackScreenSaver
  ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  StrCpy $R6 $ScrPath
  Call un.NamesFile
  ${If} $R9 != 1
    Return
  ${EndIf}
  Call un.OtherCopy
  ${If} $R6 != ""
    GetFullPathName /SHORT $R8 "$R6"
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R8
    Return
  ${EndIf}
  ReadRegStr $R7 HKCU "${MEMORY_KEY}" "PreviousScreenSaver"
  ; A remembered quorvana.scr, this file or one already gone, is what an
  ; older Setup's second copy took for the user's own: what was there before
  ; Quorvana came is lost, and a fresh profile's (neither value) comes closest.
  StrCpy $R6 $ScrPath
  Call un.NamesFile
  StrCpy $R8 $R7 "" -12
  ${If} $R8 == "quorvana.scr"
  ${AndIfNot} ${FileExists} "$R7"
    StrCpy $R9 1
  ${EndIf}
  ${If} $R9 == 1
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
    Return
  ${EndIf}
  ${If} $R7 == ""
    DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $R7
  ${EndIf}
  ClearErrors
  ReadRegStr $R7 HKCU "${MEMORY_KEY}" "PreviousScreenSaveActive"
  ${If} ${Errors}
    Return  ; nothing remembered
  ${ElseIf} $R7 == ""
    ; Announcing a value would write it again: the change takes effect at
    ; the next sign-in, as the value's absence did before.
    DeleteRegValue HKCU "${DESKTOP_KEY}" "ScreenSaveActive"
  ${Else}
    WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" $R7
    !insertmacro ANNOUNCE_SCREEN_SAVE_ACTIVE $R7
  ${EndIf}
FunctionEnd
