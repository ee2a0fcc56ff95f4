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
;
; A user has one installation: Setup refuses a scope beside an installation
; in the other one (RefuseSecondCopy). Two copies would share one name in
; Apps & features, one settings key and one screen saver setting, and the
; one for just me would hide from Screen Saver Settings what the list shows;
; an all-users installation serves every user already. The wizard offers no
; choice of scope while an installation exists. (Older versions of Setup
; made such pairs; the uninstallers of both take them apart in any order.)

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_INSTDIR "Quorvana"
!define MULTIUSER_USE_PROGRAMFILES64
; The scope of an existing installation becomes the default, so a plain
; rerun of the installer upgrades it in place.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_FUNCTION ScopeChosen
!define MULTIUSER_PAGE_CUSTOMFUNCTION_PRE InstallModePre
!define MULTIUSER_INSTALLMODEPAGE_TEXT_TOP "For all users, Quorvana goes into the Windows system folder, where Screen Saver Settings lists it; this needs administrator rights. Just for you, it goes into your own programs folder and needs no rights. $(^ClickNext)"
!include MultiUser.nsh

Var ScrPath        ; where quorvana.scr is installed
Var UpgradeDir     ; the folder of an installation in the chosen scope, or empty
Var MovingFrom     ; that folder while the installation moves (move.nsh), or empty

; An upgrade stays where it is, unless /D= names another folder: then the
; installation moves there (move.nsh).
Function ScopeChosen
  ReadRegStr $UpgradeDir SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $RequestedDir != ""
    StrCpy $INSTDIR $RequestedDir
  ${ElseIf} $UpgradeDir != ""
    StrCpy $INSTDIR $UpgradeDir
  ${EndIf}
FunctionEnd

; The scope of the existing installation is the only one on offer.
Function InstallModePre
  ${If} $UpgradeDir != ""
    Abort
  ${EndIf}
FunctionEnd

; In .onInit, once the scope is chosen.
Function RefuseSecondCopy
  ${If} $UpgradeDir != ""
    Return  ; an upgrade
  ${EndIf}
  ${If} $MultiUser.InstallMode == "AllUsers"
    ReadRegStr $R1 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R1 != ""
      !insertmacro FAIL_AT_START "Quorvana is already installed for you alone, in $R1. To upgrade it, run Setup without /AllUsers; to install Quorvana for all users, uninstall that one first (Apps & features). Nothing was installed."
    ${EndIf}
  ${Else}
    ReadRegStr $R1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $R1 != ""
      !insertmacro FAIL_AT_START "Quorvana is already installed for all users, in $R1, and serves you too. To upgrade it, run Setup as an administrator (without /CurrentUser); to install Quorvana for you alone, have that one uninstalled first. Nothing was installed."
    ${EndIf}
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
  Call RefuseSecondCopy
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
