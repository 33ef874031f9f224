; The proxy screensaver, the one part of Norvane that all accounts share:
; _Norvane.scr in the Windows folder, which only an administrator may write.
; The user's setup starts itself elevated with /PLACEPROXY=<user's SID> for
; just that, and that step records the user in the machine's registry. The
; uninstaller starts itself elevated with /RELEASEPROXY=<SID>, which forgets
; the user and removes the proxy once no account relies on it any more.
; Declining either prompt leaves the proxy as it was. Neither side trusts
; the other's word: the unelevated one reads the result back from the file
; and the record.
;
; The proxy may be running in any session, as the screensaver or as the
; preview of the Screen Saver Settings. Windows lets a running program be
; renamed but not deleted, so the old one is renamed aside and removed now
; or at the next restart. A file that some process holds open without
; delete sharing cannot even be renamed: a new proxy then waits beside it
; and takes its place at the next restart.

!define PROXY_USERS_KEY "Software\Tessaly\Norvane\Proxy Users"
!define PROFILE_LIST_KEY "Software\Microsoft\Windows NT\CurrentVersion\ProfileList"
!define PROXY_PATH "$WINDIR\${PROXY_NAME}"
!define PROXY_WAITING "$WINDIR\${PROXY_NAME}.new"

; This setup's proxy, for this machine, into $PLUGINSDIR: what is placed in
; the Windows folder and what is found there is compared with.
Function ExtractProxy
  InitPluginsDir
  ${If} $windows64 = 1
    File "/oname=$PLUGINSDIR\${PROXY_NAME}" "${X64_BIN}/_Norvane.scr"
  ${Else}
    File "/oname=$PLUGINSDIR\${PROXY_NAME}" "${X86_BIN}/_Norvane.scr"
  ${EndIf}
FunctionEnd

!macro PROXY_USER_FUNCTIONS UN
  ; The elevated steps take a SID from their command line and use it as a
  ; value name: only "S-1-" and digits and dashes pass. 1 or 0 on the stack.
  Function ${UN}IsSidText
    Exch $0
    Push $1
    Push $2
    Push $3
    StrCpy $1 $0 4
    ${If} $1 S== "S-1-"
      StrCpy $2 4
      ${Do}
        StrCpy $1 $0 1 $2
        ${If} $1 == ""
          StrCpy $0 1
          ${ExitDo}
        ${EndIf}
        ; A digit is a character that survives a conversion to a number.
        IntOp $3 $1 + 0
        ${If} $1 != "-"
        ${AndIf} $3 != $1
          StrCpy $0 0
          ${ExitDo}
        ${EndIf}
        IntOp $2 $2 + 1
      ${Loop}
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  ; Whether the record lists the user on the stack; 1 or 0 on the stack.
  Function ${UN}IsProxyUser
    Exch $0
    ${If} $0 != ""
      ClearErrors
      ReadRegStr $0 HKLM "${PROXY_USERS_KEY}" $0
      StrCpy $0 1
      IfErrors 0 +2
      StrCpy $0 0
    ${Else}
      StrCpy $0 0
    ${EndIf}
    Exch $0
  FunctionEnd

  ; Takes the Windows folder's proxy away from its name: deleted, or, while
  ; it runs, renamed aside and removed at the next restart. The name stays
  ; taken only by a file that cannot even be renamed.
  Function ${UN}MoveProxyAside
    Push $0
    Delete "$WINDIR\_Norvane-*.old"
    ${If} ${FileExists} "${PROXY_PATH}"
      Delete "${PROXY_PATH}"
    ${EndIf}
    ${If} ${FileExists} "${PROXY_PATH}"
      System::Call 'kernel32::GetTickCount() i .r0'
      StrCpy $0 "$WINDIR\_Norvane-$0.old"
      ClearErrors
      Rename "${PROXY_PATH}" $0
      ${IfNot} ${Errors}
        Delete /REBOOTOK $0
      ${EndIf}
    ${EndIf}
    Pop $0
  FunctionEnd
!macroend
!insertmacro PROXY_USER_FUNCTIONS ""
!insertmacro PROXY_USER_FUNCTIONS "un."

; How many accounts other than the one on the stack the record lists. An
; account that no longer exists (its SID gone from ProfileList) relies on
; nothing.
Function un.OtherProxyUsers
  Exch $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $1 0
  StrCpy $3 0
  ${Do}
    EnumRegValue $2 HKLM "${PROXY_USERS_KEY}" $1
    ${If} $2 == ""
      ${ExitDo}
    ${EndIf}
    ${If} $2 != $0
      ClearErrors
      ReadRegStr $4 HKLM "${PROFILE_LIST_KEY}\$2" "ProfileImagePath"
      ${IfNot} ${Errors}
        IntOp $3 $3 + 1
      ${EndIf}
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  StrCpy $0 $3
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Whether the Windows folder's proxy is this setup's (the copy in
; $PLUGINSDIR) or a newer one; 1 or 0 on the stack. An older one, or one
; without a version, is replaced; a newer one never is.
Function ProxyCurrent
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push "$PLUGINSDIR\${PROXY_NAME}"
  Push "${PROXY_PATH}"
  Call FilesEqual
  Pop $4
  ${If} $4 = 0
    ClearErrors
    GetDLLVersion "${PROXY_PATH}" $0 $1
    GetDLLVersion "$PLUGINSDIR\${PROXY_NAME}" $2 $3
    IfErrors done
    ${If} $0 U> $2
      StrCpy $4 1
    ${ElseIf} $0 = $2
    ${AndIf} $1 U> $3
      StrCpy $4 1
    ${EndIf}
  ${EndIf}
  done:
  StrCpy $0 $4
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; What the Windows folder holds for the user on the stack:
;   serves   this setup's proxy or a newer one, and the user recorded
;   restart  this setup's proxy waiting for the next restart, user recorded
;   stale    an older proxy that could not be replaced, user recorded
;   present  a proxy the manager will register, but the user not recorded
;   missing  no proxy
Function ProxyState
  Exch $0
  Push $1
  Push $0
  Call IsProxyUser
  Pop $1
  ${If} ${FileExists} "${PROXY_PATH}"
    Call ProxyCurrent
    Pop $0
    ${If} $1 = 0
      StrCpy $0 present
    ${ElseIf} $0 = 1
      StrCpy $0 serves
    ${Else}
      StrCpy $0 stale
    ${EndIf}
  ${Else}
    StrCpy $0 missing
  ${EndIf}
  ${If} $0 != serves
  ${AndIf} $1 = 1
    Push "$PLUGINSDIR\${PROXY_NAME}"
    Push "${PROXY_WAITING}"
    Call FilesEqual
    Pop $1
    ${If} $1 = 1
      StrCpy $0 restart
    ${EndIf}
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; The install's last step. Asks for elevation only when the proxy does not
; serve the user yet. Whatever stands in the way, Norvane stays installed;
; a silent run then ends with exit code 3 (3010 when a restart finishes the
; job). The manager leaves "SCRNSAVE.EXE" alone while the proxy is missing.
Function PlaceProxy
  Call ExtractProxy
  Call UserSid
  Pop $0
  Push $0
  Call ProxyState
  Pop $1
  StrCpy $2 0
  ${If} $1 != serves
  ${AndIf} $1 != restart
    DetailPrint "Placing ${PROXY_NAME} in the Windows folder (administrator consent)"
    ; From a copy in the setup's own temporary folder: the administrator
    ; may see neither the user's mapped drives nor the share the setup was
    ; started from.
    StrCpy $3 "$PLUGINSDIR\NorvaneSetup.exe"
    ClearErrors
    CopyFiles /SILENT "$EXEPATH" $3
    IfErrors 0 +2
    StrCpy $3 "$EXEPATH"
    ExecShellWait "runas" $3 "/PLACEPROXY=$0" SW_HIDE
    ; Declined, or no administrator to ask.
    !insertmacro NoteErrors $2
    Push $0
    Call ProxyState
    Pop $1
  ${EndIf}
  ${If} $2 = 1
    StrCpy $2 "An administrator's consent was declined"
  ${Else}
    StrCpy $2 "Setup could not finish its work in the Windows folder"
  ${EndIf}
  ${Switch} $1
    ${Case} restart
      DetailPrint "${PROXY_NAME} is in use: it is replaced when Windows restarts"
      SetRebootFlag true
      SetErrorLevel 3010
      ${Break}
    ${Case} stale
      MessageBox MB_OK|MB_ICONEXCLAMATION "Norvane is installed. $2, so the screensaver \
${PROXY_NAME} in the Windows folder is still an older one, which Norvane uses until this setup \
replaces it.$\r$\n$\r$\nRun this setup again to replace it." /SD IDOK
      SetErrorLevel 3
      ${Break}
    ${Case} present
      MessageBox MB_OK|MB_ICONEXCLAMATION "Norvane is installed and uses the screensaver \
${PROXY_NAME} that is already in the Windows folder. $2, so your account is not recorded among \
the ones that rely on it: uninstalling Norvane from another account may remove it.$\r$\n$\r$\n\
Run this setup again to record your account." /SD IDOK
      SetErrorLevel 3
      ${Break}
    ${Case} missing
      MessageBox MB_OK|MB_ICONEXCLAMATION "Norvane is installed, but it cannot be the Windows \
screensaver yet: its screensaver ${PROXY_NAME} has to be placed in the Windows folder. $2.\
$\r$\n$\r$\nRun this setup again to place it." /SD IDOK
      SetErrorLevel 3
      ${Break}
  ${EndSwitch}
FunctionEnd

; Puts this setup's proxy (the copy in $PLUGINSDIR) in the place of the one
; there. 1 when it is in place or waits for the restart, 0 on the stack.
Function ReplaceProxy
  Push $0
  StrCpy $0 0
  Delete "${PROXY_WAITING}"
  ClearErrors
  CopyFiles /SILENT "$PLUGINSDIR\${PROXY_NAME}" "${PROXY_WAITING}"
  !insertmacro NoteErrors $0
  ${If} $0 = 0
    Call MoveProxyAside
    ClearErrors
    ${If} ${FileExists} "${PROXY_PATH}"
      Rename /REBOOTOK "${PROXY_WAITING}" "${PROXY_PATH}"
    ${Else}
      Rename "${PROXY_WAITING}" "${PROXY_PATH}"
    ${EndIf}
    !insertmacro NoteErrors $0
  ${EndIf}
  IntOp $0 $0 ^ 1
  Exch $0
FunctionEnd

; The elevated start: places the proxy unless the one there is this
; setup's or newer, and records the user whenever a proxy is there for the
; manager to register. Exit code 0, 1 when either failed, 2 for a malformed
; SID.
Function PlaceProxyElevated
  SetSilent silent
  Push $1
  Call IsSidText
  Pop $0
  ${If} $0 <> 1
    SetErrorLevel 2
    Quit
  ${EndIf}
  Call ExtractProxy
  StrCpy $2 0
  Call ProxyCurrent
  Pop $0
  ${If} $0 = 0
    Call ReplaceProxy
    Pop $0
    IntOp $2 $0 ^ 1
  ${EndIf}
  ${If} ${FileExists} "${PROXY_PATH}"
  ${OrIf} ${FileExists} "${PROXY_WAITING}"
    ClearErrors
    WriteRegStr HKLM "${PROXY_USERS_KEY}" $1 ""
    !insertmacro NoteErrors $2
  ${EndIf}
  SetErrorLevel $2
  Quit
FunctionEnd

; Set when consent to release the proxy was declined.
Var proxyKept

; Uninstalling: elevation only when there is something to do, that is when
; the record lists the user, or when it lists nobody else and the proxy is
; still there. The uninstall goes on without the proxy only when consent
; was declined: then it ends with exit code 3. A proxy that should go but
; cannot, being held open, stops the uninstall before anything is removed.
Function un.ReleaseProxy
  Call un.UserSid
  Pop $0
  Push $0
  Call un.IsProxyUser
  Pop $2
  Push $0
  Call un.OtherProxyUsers
  Pop $1
  ${If} $2 = 0
  ${AndIf} $1 = 0
  ${AndIf} ${FileExists} "${PROXY_PATH}"
    StrCpy $2 1
  ${EndIf}
  ${If} $2 = 0
    Return
  ${EndIf}
  DetailPrint "Releasing ${PROXY_NAME} in the Windows folder (administrator consent)"
  ClearErrors
  ExecShellWait "runas" "$EXEPATH" "/RELEASEPROXY=$0 _?=$INSTDIR" SW_HIDE
  StrCpy $2 0
  !insertmacro NoteErrors $2
  ${If} $2 = 1
    MessageBox MB_OK|MB_ICONEXCLAMATION "An administrator's consent was declined, so Norvane's \
screensaver ${PROXY_NAME} stays in the Windows folder, and the record of the accounts that rely \
on it stays as it was. Norvane itself is removed." /SD IDOK
    StrCpy $proxyKept 1
    Return
  ${EndIf}
  ; Released: the user no longer recorded, and the proxy gone unless
  ; another account relies on it.
  Push $0
  Call un.IsProxyUser
  Pop $2
  ${If} $1 = 0
  ${AndIf} ${FileExists} "${PROXY_PATH}"
    StrCpy $2 1
  ${EndIf}
  ${If} $2 = 1
    MessageBox MB_OK|MB_ICONSTOP "Norvane's screensaver ${PROXY_NAME} is in use and cannot be \
removed. Nothing was uninstalled.$\r$\n$\r$\nClose the screensaver and the Screen Saver \
Settings (or restart Windows), then uninstall again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; The elevated start of the uninstaller: forgets the user once the proxy
; is gone or another account still relies on it, and removes the proxy and
; the record when nobody else is left. Exit code 0, 1 when the proxy
; should be gone but is not, 2 for a malformed SID.
Function un.ReleaseProxyElevated
  SetSilent silent
  Push $1
  Call un.IsSidText
  Pop $0
  ${If} $0 <> 1
    SetErrorLevel 2
    Quit
  ${EndIf}
  Push $1
  Call un.OtherProxyUsers
  Pop $0
  SetErrorLevel 0
  ${If} $0 = 0
    Delete "${PROXY_WAITING}"
    Call un.MoveProxyAside
    ${If} ${FileExists} "${PROXY_PATH}"
      SetErrorLevel 1
      Quit
    ${EndIf}
    DeleteRegKey HKLM "${PROXY_USERS_KEY}"
    DeleteRegKey /ifempty HKLM "${PROGRAM_KEY}"
    DeleteRegKey /ifempty HKLM "${MAKER_KEY}"
  ${Else}
    DeleteRegValue HKLM "${PROXY_USERS_KEY}" $1
  ${EndIf}
  Quit
FunctionEnd
