; SPDX-License-Identifier: MIT
; Making Quorvana the user's screen saver, and giving the previous one back.
;
; Windows starts the file that HKCU\Control Panel\Desktop "SCRNSAVE.EXE"
; names (written, as Screen Saver Settings writes it, as a short path) when
; "ScreenSaveActive" is "1". The installer remembers both values under
; HKCU\Software\Quorvana\Installer before it changes them (an empty string
; for a value that did not exist); the uninstaller puts them back, or
; removes a value that did not exist, but only while SCRNSAVE.EXE still
; names our file: a screen saver the user chose since then stays.

!define DESKTOP_KEY "Control Panel\Desktop"
!define MEMORY_KEY "Software\Quorvana\Installer"
!define SPI_SETSCREENSAVEACTIVE 17
!define SPIF_UPDATE_AND_TELL 3  ; SPIF_UPDATEINIFILE | SPIF_SENDCHANGE

; $R9 = "1" when SCRNSAVE.EXE names $ScrPath, long or short.
!macro DEFINE_NAMES_OUR_FILE UN
Function ${UN}ScreenSaverIsOurs
  StrCpy $R9 0
  ReadRegStr $R7 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  GetFullPathName /SHORT $R8 "$ScrPath"
  ${If} $R7 == "$ScrPath"
  ${OrIf} $R7 == $R8
    StrCpy $R9 1
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_NAMES_OUR_FILE ""
!insertmacro DEFINE_NAMES_OUR_FILE "un."

; Tells running programs (and Windows' idle timer) that the setting changed.
!macro ANNOUNCE_SCREEN_SAVE_ACTIVE ACTIVE
  System::Call 'user32::SystemParametersInfoW(i ${SPI_SETSCREENSAVEACTIVE}, i ${ACTIVE}, p 0, i ${SPIF_UPDATE_AND_TELL})'
!macroend

Function UseAsScreenSaver
  Call ScreenSaverIsOurs
  ${If} $R9 != 1
    ; An upgrade keeps what the first installation remembered.
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
  Call un.ScreenSaverIsOurs
  ${If} $R9 != 1
    Return
  ${EndIf}
  ReadRegStr $R7 HKCU "${MEMORY_KEY}" "PreviousScreenSaver"
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
