; SPDX-License-Identifier: MIT
; The command line, read before anything changes. NSIS itself knows /S and
; /D= only in capitals and drops a /D= it cannot use, so "/s" opened the
; wizard, a quoted /D= installed into the default folder and a misspelt
; switch was ignored, each with exit code 0. Here every switch is taken in
; any case, and anything else ends with EXIT_FAILED and its reason.
;
; Setup:         /S /AllUsers /CurrentUser /KeepScreenSaver /NCRC, and
;                /D=FOLDER last (the rest of the line, spaces included,
;                no quotes) for the installation's folder: $RequestedDir
;                (over an installation elsewhere, it moves there: move.nsh).
; Uninstaller:   /S /AllUsers /CurrentUser /RemoveSettings, and the _?=
;                that NSIS gives the copy it runs from.

Var RequestedDir   ; the folder given with /D=, or empty

; $R0 without its leading spaces.
!macro DEFINE_TRIM_LEFT UN
Function ${UN}TrimLeft
  ${Do}
    StrCpy $R2 $R0 1
    ${If} $R2 != " "
      ${ExitDo}
    ${EndIf}
    StrCpy $R0 $R0 "" 1
  ${Loop}
FunctionEnd
!macroend

; Takes the next argument off $R0 into $R1, quotes kept ("" at the end).
!macro DEFINE_NEXT_ARGUMENT UN
Function ${UN}NextArgument
  Call ${UN}TrimLeft
  StrCpy $R3 0  ; length so far
  StrCpy $R4 0  ; 1 inside quotes
  ${Do}
    StrCpy $R2 $R0 1 $R3
    ${If} $R2 == ""
      ${ExitDo}
    ${ElseIf} $R2 == "$\""
      IntOp $R4 1 - $R4
    ${ElseIf} $R2 == " "
    ${AndIf} $R4 == 0
      ${ExitDo}
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  StrCpy $R1 $R0 $R3
  StrCpy $R0 $R0 "" $R3
FunctionEnd
!macroend

!macro DEFINE_ARGUMENT_READERS UN
  !insertmacro DEFINE_TRIM_LEFT "${UN}"
  !insertmacro DEFINE_NEXT_ARGUMENT "${UN}"
!macroend
!insertmacro DEFINE_ARGUMENT_READERS ""
!insertmacro DEFINE_ARGUMENT_READERS "un."

!define SETUP_SWITCHES "/S, /AllUsers, /CurrentUser, /KeepScreenSaver and, last, /D=FOLDER"

; /D=FOLDER ($R1): a full path without quotes on a drive that exists. A
; folder that cannot be made there fails later, before any file is written.
Function TakeRequestedDir
  ${Do}  ; trailing spaces and backslashes are no part of a folder's name
    StrCpy $R2 $R1 1 -1
    StrLen $R3 $R1
    ${If} $R2 == "\"
      ${If} $R3 <= 3  ; a drive's root keeps its own
        ${ExitDo}
      ${EndIf}
    ${ElseIf} $R2 != " "
      ${ExitDo}
    ${EndIf}
    StrCpy $R1 $R1 -1
  ${Loop}
  StrCpy $R2 $R1 1
  ${If} $R2 == "$\""
    !insertmacro FAIL_AT_START "Cannot install into $R1: give the folder without quotes, as the last switch (/D=C:\My Tools\Quorvana)."
  ${EndIf}
  StrCpy $R2 $R1 2 1
  StrCpy $R3 $R1 2
  ${If} $R2 == ":\"
    ${IfNot} ${FileExists} "$R3\*.*"
      !insertmacro FAIL_AT_START "Cannot install into $R1: there is no drive $R3."
    ${EndIf}
  ${ElseIf} $R3 != "\\"
    !insertmacro FAIL_AT_START "Cannot install into $R1: give a full path, such as /D=C:\Tools\Quorvana."
  ${EndIf}
  StrCpy $RequestedDir $R1
FunctionEnd

Function ReadSwitches
  StrCpy $RequestedDir ""
  System::Call 'kernel32::GetCommandLineW() t .R0'
  Call NextArgument  ; the program's own name
  ${Do}
    Call TrimLeft
    StrCpy $R2 $R0 3
    ${If} $R2 == "/D="  ; LogicLib's == ignores case, as Windows users do
      StrCpy $R1 $R0 "" 3
      Call TakeRequestedDir
      ${ExitDo}
    ${EndIf}
    Call NextArgument
    ${If} $R1 == ""
      ${ExitDo}
    ${ElseIf} $R1 == "/S"
      SetSilent silent
    ${ElseIf} $R1 != "/AllUsers"
    ${AndIf} $R1 != "/CurrentUser"
    ${AndIf} $R1 != "/KeepScreenSaver"
    ${AndIf} $R1 != "/NCRC"
      !insertmacro FAIL_AT_START "Unknown switch $R1: Setup takes ${SETUP_SWITCHES}; nothing was installed."
    ${EndIf}
  ${Loop}
FunctionEnd

Function un.ReadSwitches
  System::Call 'kernel32::GetCommandLineW() t .R0'
  Call un.NextArgument
  ${Do}
    Call un.NextArgument
    StrCpy $R2 $R1 3
    ${If} $R1 == ""
    ${OrIf} $R2 == "_?="  ; NSIS's own, always last
      ${ExitDo}
    ${ElseIf} $R1 == "/S"
      SetSilent silent
    ${ElseIf} $R1 != "/AllUsers"
    ${AndIf} $R1 != "/CurrentUser"
    ${AndIf} $R1 != "/RemoveSettings"
      !insertmacro FAIL_AT_START "Unknown switch $R1: the uninstaller takes /S, /AllUsers, /CurrentUser and /RemoveSettings; nothing was removed."
    ${EndIf}
  ${Loop}
FunctionEnd
