; SPDX-License-Identifier: MIT
; Installs the files as one step that either completes or is undone.
;
; Each file is first written beside its place as NAME.new; only when all of
; them are written does each take its place, the file it replaces kept as
; NAME.old until the end. A failure anywhere (a folder that cannot be made,
; a full disk, a file that cannot be replaced) goes through FAIL, and
; .onInstFailed puts back what was there: an upgrade keeps the old files, a
; new installation leaves nothing behind. FAIL is in failure.nsh.

Var Committing     ; 1 once every file is written and they take their place
Var Committed      ; how many files have taken their place
Var CreatedDir     ; 1 when this run made $INSTDIR

; Every installed file, in the order they take their place.
!macro FOR_EACH_INSTALLED_FILE DO
  !insertmacro ${DO} "$ScrPath" 0
  !insertmacro ${DO} "$INSTDIR\README.txt" 1
  !insertmacro ${DO} "$INSTDIR\LICENSE.txt" 2
  !insertmacro ${DO} "$INSTDIR\uninstall.exe" 3
!macroend

!macro CREATE_INSTALL_DIR
  StrCpy $CreatedDir 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $CreatedDir 1
  ${EndIf}
  ClearErrors
  CreateDirectory "$INSTDIR"
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} "$INSTDIR\*.*"
    !insertmacro FAIL "Cannot create the folder $INSTDIR. Choose another folder."
  ${EndIf}
!macroend

; Leftovers of an interrupted run go first, so that every NAME.old seen
; later is this run's own.
!macro PREPARE_STAGING TARGET
  Delete "${TARGET}.new"
  Delete "${TARGET}.old"
  ${If} ${FileExists} "${TARGET}.new"
  ${OrIf} ${FileExists} "${TARGET}.old"
    !insertmacro FAIL "Cannot write ${TARGET}.new: something of that name is in the way."
  ${EndIf}
!macroend

!macro STAGE_FILE SOURCE TARGET
  !insertmacro PREPARE_STAGING "${TARGET}"
  ClearErrors
  File "/oname=${TARGET}.new" "${SOURCE}"
  ${If} ${Errors}
    !insertmacro FAIL "Cannot write ${TARGET}.new. Check the free space and your rights in that folder."
  ${EndIf}
!macroend

!macro STAGE_UNINSTALLER TARGET
  !insertmacro PREPARE_STAGING "${TARGET}"
  ClearErrors
  WriteUninstaller "${TARGET}.new"
  ${If} ${Errors}
    !insertmacro FAIL "Cannot write ${TARGET}.new. Check the free space and your rights in that folder."
  ${EndIf}
!macroend

!macro COMMIT_FILE TARGET INDEX
  ClearErrors
  ${If} ${FileExists} "${TARGET}"
    Rename "${TARGET}" "${TARGET}.old"
  ${EndIf}
  ${IfNot} ${Errors}
    Rename "${TARGET}.new" "${TARGET}"
  ${EndIf}
  ${If} ${Errors}
    !insertmacro FAIL "Cannot replace ${TARGET}. Close every program that uses it and run Setup again."
  ${EndIf}
  IntOp $Committed $Committed + 1
!macroend

!macro ROLL_BACK_FILE TARGET INDEX
  Delete "${TARGET}.new"
  ${If} $Committing == 1
    ${If} ${FileExists} "${TARGET}.old"
      Delete "${TARGET}"
      Rename "${TARGET}.old" "${TARGET}"
    ${ElseIf} $Committed > ${INDEX}
      Delete "${TARGET}"  ; this run put it there: nothing was there before
    ${EndIf}
  ${EndIf}
!macroend

!macro DROP_OLD_FILE TARGET INDEX
  Delete "${TARGET}.old"
!macroend

; The whole step, called from the install section.
!macro INSTALL_FILES SCR README LICENSE
  StrCpy $Committing 0
  StrCpy $Committed 0
  !insertmacro CREATE_INSTALL_DIR
  !insertmacro STAGE_FILE "${SCR}" "$ScrPath"
  !insertmacro STAGE_FILE "${README}" "$INSTDIR\README.txt"
  !insertmacro STAGE_FILE "${LICENSE}" "$INSTDIR\LICENSE.txt"
  !insertmacro STAGE_UNINSTALLER "$INSTDIR\uninstall.exe"
  StrCpy $Committing 1
  !insertmacro FOR_EACH_INSTALLED_FILE COMMIT_FILE
!macroend

!macro ROLL_BACK_INSTALLATION
  !insertmacro FOR_EACH_INSTALLED_FILE ROLL_BACK_FILE
  ${If} $UpgradeDir == ""
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${EndIf}
  ${If} $CreatedDir == 1
    RMDir "$INSTDIR"  ; only when empty
  ${EndIf}
  !insertmacro ROLL_BACK_MOVE
!macroend
