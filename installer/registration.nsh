; What an installation leaves in the user's registry and Start menu, and
; how the uninstaller takes it away again together with the files. All of
; it is the user's own: HKEY_CURRENT_USER and the user's programs folder.

!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Norvane"
!define SHORTCUT "$SMPROGRAMS\Norvane.lnk"
; The screensaver the user had before Norvane's first installation; empty
; when there was none.
!define PREVIOUS_SCREENSAVER "ScreensaverBeforeNorvane"

; The first installation remembers the user's screensaver; an upgrade finds
; the proxy there (or the value already kept) and leaves the kept one alone.
Function RememberScreensaver
  ClearErrors
  ReadRegStr $0 HKCU "${PROGRAM_KEY}" "${PREVIOUS_SCREENSAVER}"
  ${If} ${Errors}
    ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    Push $0
    Call NamesProxy
    Pop $1
    ${If} $1 = 0
      WriteRegStr HKCU "${PROGRAM_KEY}" "${PREVIOUS_SCREENSAVER}" $0
    ${EndIf}
  ${EndIf}
FunctionEnd

Function WriteRegistration
  SetShellVarContext current
  Call RememberScreensaver
  StrCpy $1 0
  ClearErrors
  ; The manager appends the list files' names to this value directly.
  WriteRegStr HKCU "${PROGRAM_KEY}" "InstallDir" "$INSTDIR\"
  WriteRegStr HKCU "${RUN_KEY}" "Norvane" '"$INSTDIR\Norvane.exe" /start'
  CreateShortCut "${SHORTCUT}" "$INSTDIR\Norvane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Norvane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tessaly"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${PRODUCT_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "HelpLink" "${PRODUCT_URL}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Norvane.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  ; Run in place (unquoted folder last), the uninstaller is the process
  ; that does the work, so a caller waiting for it gets its real result.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ; GetTime and GetSize clear the error flag: what failed so far is kept.
  !insertmacro NoteErrors $1
  ${GetTime} "" "L" $2 $3 $4 $5 $6 $7 $8
  ${GetSize} "$INSTDIR" "/S=0K" $0 $5 $6
  ClearErrors
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallDate" "$4$3$2"
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  !insertmacro NoteErrors $1
  ${If} $1 = 1
    !insertmacro FailSetup "Setup could not register Norvane in your part of the registry."
  ${EndIf}
FunctionEnd

; Whether the user's screensaver is the proxy, asked before the proxy may
; go: its short name is known only while the file is there.
Var screensaverIsProxy

Function un.NoteScreensaver
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  Push $0
  Call un.NamesProxy
  Pop $screensaverIsProxy
FunctionEnd

; Gives back the screensaver from before Norvane, but only while the
; current one is still the proxy: one the user chose since then stays.
Function un.RestoreScreensaver
  ${If} $screensaverIsProxy = 1
    ReadRegStr $0 HKCU "${PROGRAM_KEY}" "${PREVIOUS_SCREENSAVER}"
    ${If} $0 == ""
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${Else}
      WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" $0
    ${EndIf}
  ${EndIf}
FunctionEnd

; Set when something the uninstaller should remove is still there.
Var removalFailed

; The uninstaller works only on the installation that its own user's
; registry records: not on another account's folder, nor on a copy of it.
Function un.RefuseOtherInstallation
  ReadRegStr $0 HKCU "${PROGRAM_KEY}" "InstallDir"
  ${DoUntil} $0 == ""
    StrCpy $1 $0 "" -1
    ${If} $1 != "\"
      ${ExitDo}
    ${EndIf}
    StrCpy $0 $0 -1
  ${Loop}
  StrCpy $1 0
  ${If} $0 == $INSTDIR
    StrCpy $1 1
  ${ElseIf} $0 != ""
    GetFullPathName /SHORT $2 $0
    GetFullPathName /SHORT $3 $INSTDIR
    ${If} $2 != ""
    ${AndIf} $2 == $3
      StrCpy $1 1
    ${EndIf}
  ${EndIf}
  ${If} $1 = 0
    MessageBox MB_OK|MB_ICONSTOP "The Norvane in $INSTDIR is not the one installed for your \
account, so this uninstaller leaves it alone. Each account removes its own Norvane: from its \
list of installed programs." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

!macro RemoveFile PATH
  Delete "${PATH}"
  ${If} ${FileExists} "${PATH}"
    StrCpy $removalFailed 1
  ${EndIf}
!macroend

; Set when the value is still there.
!macro CheckValueGone ROOT KEY NAME
  ClearErrors
  ReadRegStr $0 ${ROOT} "${KEY}" "${NAME}"
  ${IfNot} ${Errors}
    StrCpy $removalFailed 1
  ${EndIf}
!macroend

; The installed files and the manager's list files (with any temporary
; file a killed write left). Other files in the folder are the user's and
; stay, and so does the folder then.
Function un.RemoveFiles
  !insertmacro RemoveFile "$INSTDIR\Norvane.exe"
  !insertmacro RemoveFile "$INSTDIR\Help\NorvaneHelp.chm"
  !insertmacro RemoveFile "$INSTDIR\AdditionalScreensavers.dat"
  !insertmacro RemoveFile "$INSTDIR\DisabledScreensavers.dat"
  Delete "$INSTDIR\*.dat.tmp"
  ; Nothing may keep the folder as its current one, not even a started copy.
  SetOutPath "$TEMP"
  ; Copies of the uninstaller that earlier uninstalls left there.
  Delete "$TEMP\NorvaneUninstall-*.exe"
  ; Compared by short names: the folder may be recorded by its short name.
  GetFullPathName /SHORT $0 "$EXEPATH"
  GetFullPathName /SHORT $1 "$INSTDIR\Uninstall.exe"
  ${If} $0 == $1
    ; Run in place, so that its caller waits for the real work and gets its
    ; result, the uninstaller cannot delete itself: a copy in the temporary
    ; folder waits for it to end and removes it and the folder then.
    System::Call 'kernel32::GetCurrentProcessId() i .r0'
    StrCpy $1 "$TEMP\NorvaneUninstall-$0.exe"
    StrCpy $2 0
    ClearErrors
    CopyFiles /SILENT "$EXEPATH" "$1"
    !insertmacro NoteErrors $2
    ${If} $2 = 0
      ClearErrors
      Exec '"$1" /REMOVEUNINSTALLER=$0 _?=$INSTDIR'
      !insertmacro NoteErrors $2
    ${EndIf}
    ${If} $2 = 1
      StrCpy $removalFailed 1
    ${EndIf}
  ${Else}
    Call un.RemoveUninstaller
  ${EndIf}
  SetShellVarContext current
  !insertmacro RemoveFile "${SHORTCUT}"
FunctionEnd

Function un.RemoveUninstaller
  !insertmacro RemoveFile "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR\Help"
  RMDir "$INSTDIR"
FunctionEnd

; The copy's start: waits up to a minute for the uninstaller (the process
; id on the stack) to end, then removes it.
Function un.RemoveUninstallerAfter
  Exch $0
  SetSilent silent
  IntOp $1 $0 + 0
  ${If} $1 S== $0
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r0) p .r1'
    ${If} $1 P<> 0
      System::Call 'kernel32::WaitForSingleObject(p r1, i 60000)'
      System::Call 'kernel32::CloseHandle(p r1)'
    ${EndIf}
    SetOutPath "$TEMP"
    Call un.RemoveUninstaller
  ${EndIf}
  Quit
FunctionEnd

Function un.RemoveRegistration
  DeleteRegValue HKCU "${RUN_KEY}" "Norvane"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  DeleteRegKey HKCU "${PROGRAM_KEY}"
  DeleteRegKey /ifempty HKCU "${MAKER_KEY}"
  !insertmacro CheckValueGone HKCU "${RUN_KEY}" "Norvane"
  !insertmacro CheckValueGone HKCU "${UNINSTALL_KEY}" "DisplayName"
  !insertmacro CheckValueGone HKCU "${PROGRAM_KEY}" "InstallDir"
FunctionEnd
