; Installs the files as one step that either completes or is undone.
;
; Each file is first written beside its place as NAME.new; only when all of
; them are written does each take its place, the file it replaces kept as
; NAME.old until the end. A failure anywhere (a folder that cannot be made,
; a full disk, a file that cannot be replaced) goes through FAIL, and
; .onInstFailed puts back what was there: an upgrade keeps the old files, a
; new installation leaves nothing behind.

!define EXIT_FAILED 2  ; nothing was changed; a message says why

Var Committed      ; how many files have taken their place
Var CreatedDir     ; 1 when this run made $INSTDIR

; Every installed file, in the order they take their place.
!macro FOR_EACH_INSTALLED_FILE DO
  !insertmacro ${DO} "$ScrPath" 0
  !insertmacro ${DO} "$INSTDIR\README.txt" 1
  !insertmacro ${DO} "$INSTDIR\LICENSE.txt" 2
  !insertmacro ${DO} "$INSTDIR\uninstall.exe" 3
!macroend

; Reports TEXT (silent: no box) and ends the installation with EXIT_FAILED.
!macro FAIL TEXT
  DetailPrint "${TEXT}"
  MessageBox MB_OK|MB_ICONSTOP "${TEXT}" /SD IDOK
  SetErrorLevel ${EXIT_FAILED}
  Abort
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

; Leftovers of an interrupted run must not stand in the way.
!macro CLEAR_LEFTOVERS TARGET INDEX
  Delete "${TARGET}.new"
  Delete "${TARGET}.old"
!macroend

!macro STAGE_FILE SOURCE TARGET
  ClearErrors
  File "/oname=${TARGET}.new" "${SOURCE}"
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
  ${If} ${FileExists} "${TARGET}.old"
    Delete "${TARGET}"
    Rename "${TARGET}.old" "${TARGET}"
  ${ElseIf} $Committed > ${INDEX}
    Delete "${TARGET}"  ; this run put it there: nothing was there before
  ${EndIf}
!macroend

!macro DROP_OLD_FILE TARGET INDEX
  Delete "${TARGET}.old"
!macroend

; The whole step, called from the install section.
!macro INSTALL_FILES SCR README LICENSE
  StrCpy $Committed 0
  !insertmacro CREATE_INSTALL_DIR
  !insertmacro FOR_EACH_INSTALLED_FILE CLEAR_LEFTOVERS
  !insertmacro STAGE_FILE "${SCR}" "$ScrPath"
  !insertmacro STAGE_FILE "${README}" "$INSTDIR\README.txt"
  !insertmacro STAGE_FILE "${LICENSE}" "$INSTDIR\LICENSE.txt"
  ClearErrors
  WriteUninstaller "$INSTDIR\uninstall.exe.new"
  ${If} ${Errors}
    !insertmacro FAIL "Cannot write $INSTDIR\uninstall.exe.new. Check the free space and your rights in that folder."
  ${EndIf}
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
!macroend
