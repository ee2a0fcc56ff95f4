; SPDX-License-Identifier: MIT
; Refuses to touch quorvana.scr while it runs: WaitUntilClosed looks at the
; file that $R6 names.
;
; Windows lets no one write to the file of a running program, so a
; quorvana.scr that cannot be opened for writing is running: as the screen
; saver, its preview or its settings dialog. The wizard asks the user to
; close it and try again; silent mode (or Cancel) fails with EXIT_FAILED
; before anything has changed, rather than leaving a half-replaced file.

!macro DEFINE_WAIT_UNTIL_CLOSED UN
Function ${UN}WaitUntilClosed
  retry:
    IfFileExists "$R6" 0 closed
    ClearErrors
    FileOpen $0 "$R6" a
    IfErrors 0 opened
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Quorvana is running: the screen saver, its preview or its settings use $R6.$\r$\n$\r$\nClose it, then choose Retry." /SD IDCANCEL IDRETRY retry
    !insertmacro FAIL "Quorvana is running ($R6 is in use); nothing was changed."
  opened:
    FileClose $0
  closed:
FunctionEnd
!macroend
