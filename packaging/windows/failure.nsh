; SPDX-License-Identifier: MIT
; How Setup and the uninstaller fail: exit code 2 (nothing was changed), a
; message box (none in a silent run) and the reason appended as one line to
; %TEMP%\QuorvanaSetup.log, where a silent run leaves it for the person or
; script that started it. What Setup did beyond what was asked (a move to
; another folder) goes there as one line too.

!define EXIT_FAILED 2
!define FAILURE_LOG "$TEMP\QuorvanaSetup.log"

!macro LOG_LINE TEXT
  Push $9
  ClearErrors
  FileOpen $9 "${FAILURE_LOG}" a
  ${IfNot} ${Errors}
    FileSeek $9 0 END
    FileWrite $9 "Quorvana ${VERSION}: ${TEXT}$\r$\n"
    FileClose $9
  ${EndIf}
  Pop $9
!macroend

!macro LOG_FAILURE TEXT
  !insertmacro LOG_LINE "${TEXT} (exit code ${EXIT_FAILED})"
!macroend

!macro REPORT_FAILURE TEXT
  !insertmacro LOG_FAILURE "${TEXT}"
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel ${EXIT_FAILED}
!macroend

; In a section: reports TEXT and ends the installation; .onInstFailed rolls back.
!macro FAIL TEXT
  DetailPrint "${TEXT}"
  !insertmacro REPORT_FAILURE "${TEXT}"
  Abort
!macroend

; In .onInit, before anything has changed.
!macro FAIL_AT_START TEXT
  !insertmacro REPORT_FAILURE "${TEXT}"
  Quit
!macroend
