; SPDX-License-Identifier: MIT
; Who Quorvana is installed for, in the installer and the uninstaller.
;
; All users (administrator rights): quorvana.scr goes into the Windows system
; folder, where Screen Saver Settings lists it, the uninstaller and the texts
; into Program Files\Quorvana, the Uninstall key into HKLM. Just me (no
; rights needed): everything goes into the user's local programs folder, the
; Uninstall key into HKCU. NSIS's MultiUser header picks the default (an
; existing installation's scope, else all users for an administrator) and
; offers the choice in the wizard; /AllUsers and /CurrentUser choose on the
; command line. After every choice $INSTDIR, $ScrPath and $UpgradeDir follow.

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_INSTDIR "Quorvana"
!define MULTIUSER_USE_PROGRAMFILES64
; The scope of an existing installation becomes the default, so a plain
; rerun of the installer upgrades it in place.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION ScopeChosen
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "For all users, Quorvana goes into the Windows system folder, where Screen Saver Settings lists it; this needs administrator rights. Just for you, it goes into your own programs folder and needs no rights. $(^ClickNext)"
!include MultiUser.nsh

Var ScrPath        ; where quorvana.scr is installed
Var UpgradeDir     ; the folder of an installation in the chosen scope, or empty

Function ScopeChosen
  ReadRegStr $UpgradeDir SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $UpgradeDir != ""
    StrCpy $INSTDIR $UpgradeDir  ; an upgrade stays where it is
  ${ElseIf} $RequestedDir != ""
    StrCpy $INSTDIR $RequestedDir
  ${EndIf}
FunctionEnd

; Sets $ScrPath for the scope and the folder now chosen.
!macro DEFINE_SET_SCR_PATH UN
Function ${UN}SetScrPath
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $ScrPath "$SYSDIR\quorvana.scr"
  ${Else}
    StrCpy $ScrPath "$INSTDIR\quorvana.scr"
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DEFINE_SET_SCR_PATH ""
!insertmacro DEFINE_SET_SCR_PATH "un."

; /AllUsers or /CurrentUser on the command line ($R0) overrides the default.
; All users without administrator rights ends with exit code 2.
!macro SCOPE_FROM_COMMAND_LINE UN
  ClearErrors
  ${${UN}GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    Call ${UN}MultiUser.InstallMode.CurrentUser
  ${EndIf}
  ClearErrors
  ${${UN}GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    ${If} $MultiUser.Privileges == "Admin"
    ${OrIf} $MultiUser.Privileges == "Power"
      Call ${UN}MultiUser.InstallMode.AllUsers
    ${Else}
      !insertmacro FAIL_AT_START "Quorvana for all users needs administrator rights. Run this again as an administrator, or choose just me (/CurrentUser)."
    ${EndIf}
  ${EndIf}
!macroend

; After ReadSwitches (switches.nsh), which sets $RequestedDir.
!macro SCOPE_INIT
  !insertmacro MULTIUSER_INIT
  ${GetParameters} $R0
  !insertmacro SCOPE_FROM_COMMAND_LINE ""
!macroend

; Without a switch the uninstaller serves the installation it belongs to:
; all users when HKLM's Uninstall key names its folder, else just me.
!macro SCOPE_UNINIT
  !insertmacro MULTIUSER_UNINIT
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/AllUsers" $R1
  ${If} ${Errors}
    ClearErrors
    ${un.GetOptions} $R0 "/CurrentUser" $R1
  ${EndIf}
  ${If} ${Errors}
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R1 == $INSTDIR
      StrCpy $R0 "/AllUsers"
    ${Else}
      StrCpy $R0 "/CurrentUser"
    ${EndIf}
  ${EndIf}
  !insertmacro SCOPE_FROM_COMMAND_LINE "un."
!macroend
