; SPDX-License-Identifier: MIT
; Quorvana's Windows installer (NSIS 3, a 64-bit installer). CMake builds it
; with the target "installer", passing VERSION, VERSION_NUMBERS, PUBLISHER,
; COPYRIGHT, SCR, README, LICENSE, ICON and OUTFILE with -D.
;
; Command line (any case, switches.nsh): /S silent; /AllUsers or
; /CurrentUser; /KeepScreenSaver to leave the user's screen saver as it is;
; /D=FOLDER (last, no quotes) for the installation's folder, where an
; installation elsewhere moves (move.nsh). A scope beside an installation in
; the other scope is refused (scope.nsh). The uninstaller takes /S and
; /RemoveSettings. Exit codes: 0 done, 1 cancelled
; by the user, 2 failed with nothing changed, the reason appended to
; %TEMP%\QuorvanaSetup.log (failure.nsh), where a move is noted too.

Target amd64-unicode
SetCompressor /SOLID lzma
ManifestDPIAware true
ManifestSupportedOS all

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Quorvana"

Name "Quorvana"
OutFile "${OUTFILE}"
BrandingText "Quorvana ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_NUMBERS}"
VIAddVersionKey "ProductName" "Quorvana"
VIAddVersionKey "FileDescription" "Quorvana Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey "OriginalFilename" "QuorvanaSetup-${VERSION}.exe"

!include LogicLib.nsh
!include nsDialogs.nsh
!include failure.nsh
!include switches.nsh
!include staging.nsh
!include scope.nsh
!include in_use.nsh
!include screen_saver.nsh
!include move.nsh

!insertmacro DEFINE_WAIT_UNTIL_CLOSED ""
!insertmacro DEFINE_WAIT_UNTIL_CLOSED "un."

Var UseAsScreenSaver  ; BST_CHECKED or BST_UNCHECKED
Var RemoveSettings    ; BST_CHECKED or BST_UNCHECKED
Var CheckBox
Var DirectoryText

!define MUI_ICON "${ICON}"
; wizard.bmp is cut from docs/quorvana.png:
;   convert docs/quorvana.png -crop 164x314+560+90 +repage -type Palette -colors 256 -compress None BMP3:wizard.bmp
!define MUI_WELCOMEFINISHPAGE_BITMAP "wizard.bmp"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install Quorvana ${VERSION}, a screen saver that draws zooming Julia sets in shades of green.$\r$\n$\r$\nIf Quorvana is already installed, Setup upgrades it and keeps your settings.$\r$\n$\r$\n$(^ClickNext)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!define MUI_PAGE_CUSTOMFUNCTION_PRE DirectoryPre
!define MUI_DIRECTORYPAGE_TEXT_TOP "$DirectoryText"
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPage OptionsLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Open Screen Saver Settings"
!define MUI_FINISHPAGE_RUN_FUNCTION OpenScreenSaverSettings
!define MUI_FINISHPAGE_RUN_NOTCHECKED
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishShow
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsPage un.OptionsLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Function .onInit
  Call ReadSwitches
  !insertmacro SCOPE_INIT
  StrCpy $UseAsScreenSaver ${BST_CHECKED}
  ClearErrors
  ${GetOptions} $R0 "/KeepScreenSaver" $R1
  ${IfNot} ${Errors}
    StrCpy $UseAsScreenSaver ${BST_UNCHECKED}
  ${EndIf}
FunctionEnd

; A new installation says where the saver goes; an upgrade, that another
; folder moves it.
Function DirectoryPre
  ${If} $MultiUser.InstallMode == "AllUsers"
    StrCpy $DirectoryText "Quorvana goes into the Windows system folder, $SYSDIR, where Screen Saver Settings lists it; its uninstaller and README go into the folder below."
  ${ElseIf} $UpgradeDir == ""
    StrCpy $DirectoryText "Setup will install Quorvana for you alone in the folder below. To install it in a different folder, click Browse and select another folder."
  ${Else}
    StrCpy $DirectoryText "Setup will upgrade Quorvana, installed for you alone."
  ${EndIf}
  ${If} $UpgradeDir != ""
    StrCpy $DirectoryText "$DirectoryText It is now in $UpgradeDir; to move it, choose another folder (your settings stay)."
  ${EndIf}
  StrCpy $DirectoryText "$DirectoryText $(^ClickNext)"
FunctionEnd

Function OptionsPage
  !insertmacro MUI_HEADER_TEXT "Screen Saver" "Choose whether Windows shows Quorvana when the computer is idle."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateCheckbox} 0 0 100% 12u "Use Quorvana as my screen saver"
  Pop $CheckBox
  ${NSD_SetState} $CheckBox $UseAsScreenSaver
  ${NSD_CreateLabel} 0 20u 100% 40u "Windows then starts Quorvana after the wait set in Screen Saver Settings, where you can change its speed or choose another screen saver at any time. Uninstalling Quorvana gives you back the screen saver you have now."
  Pop $0
  nsDialogs::Show
FunctionEnd

Function OptionsLeave
  ${NSD_GetState} $CheckBox $UseAsScreenSaver
FunctionEnd

; The check box opens Control Panel's Screen Saver Settings, whose applet
; (desk.cpl) some systems lack, Wine among them: there it is not offered.
!define SCREEN_SAVER_APPLET "$SYSDIR\desk.cpl"

Function FinishShow
  ${IfNot} ${FileExists} "${SCREEN_SAVER_APPLET}"
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
FunctionEnd

Function OpenScreenSaverSettings
  ${If} ${FileExists} "${SCREEN_SAVER_APPLET}"
    Exec '"$SYSDIR\control.exe" desk.cpl,,@screensaver'
  ${EndIf}
FunctionEnd

Function RegisterUninstaller
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Quorvana"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$ScrPath,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${If} $MultiUser.InstallMode == "AllUsers"
    ${GetSize} "$SYSDIR" "/M=quorvana.scr /S=0K /G=0" $1 $2 $3
    IntOp $0 $0 + $1
  ${EndIf}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
FunctionEnd

Section "Quorvana"
  Call DecideMove
  Call SetScrPath
  StrCpy $R6 $ScrPath
  Call WaitUntilClosed
  !insertmacro INSTALL_FILES "${SCR}" "${README}" "${LICENSE}"
  ClearErrors
  Call RegisterUninstaller
  ${If} ${Errors}
    !insertmacro FAIL "Cannot register Quorvana in Apps & features; nothing was installed."
  ${EndIf}
  ${If} $UseAsScreenSaver == ${BST_CHECKED}
    Call UseAsScreenSaver
  ${EndIf}
  !insertmacro FOR_EACH_INSTALLED_FILE DROP_OLD_FILE
  Call FinishMove
SectionEnd

Function .onInstFailed
  !insertmacro ROLL_BACK_INSTALLATION
FunctionEnd

Function un.onInit
  Call un.ReadSwitches
  !insertmacro SCOPE_UNINIT
  Call un.SetScrPath
  StrCpy $RemoveSettings ${BST_UNCHECKED}
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/RemoveSettings" $R1
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings ${BST_CHECKED}
  ${EndIf}
FunctionEnd

Function un.OptionsPage
  !insertmacro MUI_HEADER_TEXT "Uninstall Quorvana" "Remove Quorvana from this computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "Quorvana will be removed: $ScrPath and the folder $INSTDIR. Click Uninstall to start."
  Pop $0
  ${NSD_CreateCheckbox} 0 30u 100% 12u "Also remove my Quorvana settings"
  Pop $CheckBox
  ${NSD_SetState} $CheckBox $RemoveSettings
  ${NSD_CreateLabel} 0 46u 100% 30u "Unless you check this, your settings (the speed) stay, and a new installation starts with them."
  Pop $0
  GetDlgItem $0 $HWNDPARENT 1
  SendMessage $0 ${WM_SETTEXT} 0 "STR:$(^UninstallBtn)"
  nsDialogs::Show
FunctionEnd

Function un.OptionsLeave
  ${NSD_GetState} $CheckBox $RemoveSettings
FunctionEnd

; Deletes FILE, trying again for up to five seconds while it is in use: the
; uninstall.exe that started this copy of the uninstaller, or a saver that has
; just been closed, may not have let go of its file yet.
!macro DELETE_WHEN_FREE FILE
  Push $0
  StrCpy $0 0
  ${DoWhile} ${FileExists} "${FILE}"
    Delete "${FILE}"
    ${If} $0 >= 50
      ${ExitDo}
    ${EndIf}
    ${If} ${FileExists} "${FILE}"
      Sleep 100
    ${EndIf}
    IntOp $0 $0 + 1
  ${Loop}
  Pop $0
!macroend

Section "Uninstall"
  StrCpy $R6 $ScrPath
  Call un.WaitUntilClosed
  Call un.GiveBackScreenSaver
  !insertmacro DELETE_WHEN_FREE "$ScrPath"
  Delete /REBOOTOK "$ScrPath"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  !insertmacro DELETE_WHEN_FREE "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"  ; only when empty: files the user put there stay
  Call un.OtherCopy
  ${If} $R6 == ""  ; the last copy: what it remembered has been given back
    DeleteRegKey HKCU "${MEMORY_KEY}"
  ${EndIf}
  ${If} $RemoveSettings == ${BST_CHECKED}
    ; Every key but the memory that a remaining copy still needs.
    StrCpy $0 0
    ${Do}
      EnumRegKey $1 HKCU "Software\Quorvana" $0
      ${If} $1 == ""
        ${ExitDo}
      ${ElseIf} "Software\Quorvana\$1" == "${MEMORY_KEY}"
        IntOp $0 $0 + 1
      ${Else}
        DeleteRegKey HKCU "Software\Quorvana\$1"
      ${EndIf}
    ${Loop}
    DeleteRegKey /ifempty HKCU "Software\Quorvana"
  ${Else}
    DeleteRegKey /ifempty HKCU "Software\Quorvana"
  ${EndIf}
  ; Last, so that Apps & features lists Quorvana until all of it is gone.
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
