; The proxy screensaver, the one part of Norvane that all accounts share:
; _Norvane.scr in the Windows folder, which only an administrator may write.
; The user's setup starts itself elevated with /PLACEPROXY=<user's SID> for
; just that, and that step records the user in the machine's registry. The
; uninstaller starts itself elevated with /RELEASEPROXY=<SID>, which forgets
; the user and removes the proxy once no account relies on it any more.
; Declining either prompt leaves the proxy as it was.

!define PROXY_USERS_KEY "Software\Tessaly\Norvane\Proxy Users"

!macro ExtractProxy TARGET
  ${If} $windows64 = 1
    File "/oname=${TARGET}" "${X64_BIN}/_Norvane.scr"
  ${Else}
    File "/oname=${TARGET}" "${X86_BIN}/_Norvane.scr"
  ${EndIf}
!macroend

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
!macroend
!insertmacro PROXY_USER_FUNCTIONS ""
!insertmacro PROXY_USER_FUNCTIONS "un."

; How many accounts other than the one on the stack the record lists.
Function un.OtherProxyUsers
  Exch $0
  Push $1
  Push $2
  Push $3
  StrCpy $1 0
  StrCpy $3 0
  ${Do}
    EnumRegValue $2 HKLM "${PROXY_USERS_KEY}" $1
    ${If} $2 == ""
      ${ExitDo}
    ${EndIf}
    ${If} $2 != $0
      IntOp $3 $3 + 1
    ${EndIf}
    IntOp $1 $1 + 1
  ${Loop}
  StrCpy $0 $3
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd

; Whether the Windows folder holds this setup's proxy and the record lists
; the user on the stack; 1 or 0 on the stack.
Function ProxyServesUser
  Exch $0
  Push $1
  Push "$PLUGINSDIR\${PROXY_NAME}"
  Push "$WINDIR\${PROXY_NAME}"
  Call FilesEqual
  Pop $1
  ${If} $1 = 1
  ${AndIf} $0 != ""
    ClearErrors
    ReadRegStr $1 HKLM "${PROXY_USERS_KEY}" $0
    StrCpy $1 1
    ${If} ${Errors}
      StrCpy $1 0
    ${EndIf}
  ${Else}
    StrCpy $1 0
  ${EndIf}
  StrCpy $0 $1
  Pop $1
  Exch $0
FunctionEnd

; The install's last step. Asks for elevation only when the proxy or the
; user's record is missing or the proxy is another build's. Declining still
; leaves a working installation, one that Windows cannot use as its
; screensaver yet: the manager leaves "SCRNSAVE.EXE" alone while the proxy
; is missing. A silent run then ends with exit code 3.
Function PlaceProxy
  InitPluginsDir
  !insertmacro ExtractProxy "$PLUGINSDIR\${PROXY_NAME}"
  Call UserSid
  Pop $0
  Push $0
  Call ProxyServesUser
  Pop $1
  ${If} $1 = 0
    DetailPrint "Placing ${PROXY_NAME} in the Windows folder (administrator consent)"
    ExecShellWait "runas" "$EXEPATH" "/PLACEPROXY=$0" SW_HIDE
    Push $0
    Call ProxyServesUser
    Pop $1
    ${If} $1 = 0
      MessageBox MB_OK|MB_ICONEXCLAMATION "Norvane is installed, but it cannot be the Windows \
screensaver yet: its screensaver ${PROXY_NAME} has to be placed in the Windows folder, and that \
needs an administrator's consent.$\r$\n$\r$\nRun this setup again to place it." /SD IDOK
      SetErrorLevel 3
    ${EndIf}
  ${EndIf}
FunctionEnd

; The elevated start: places the proxy and records the user, then ends with
; exit code 0, or 1 when either failed (2 for a malformed SID).
Function PlaceProxyElevated
  SetSilent silent
  Push $1
  Call IsSidText
  Pop $0
  ${If} $0 <> 1
    SetErrorLevel 2
    Quit
  ${EndIf}
  SetOverwrite try
  ClearErrors
  !insertmacro ExtractProxy "$WINDIR\${PROXY_NAME}"
  ${IfNot} ${Errors}
    WriteRegStr HKLM "${PROXY_USERS_KEY}" $1 ""
  ${EndIf}
  ${If} ${Errors}
    SetErrorLevel 1
  ${Else}
    SetErrorLevel 0
  ${EndIf}
  Quit
FunctionEnd

; Uninstalling: elevation only when there is something to do, that is when
; the record lists the user, or when it lists nobody else and the proxy is
; still there.
Function un.ReleaseProxy
  Call un.UserSid
  Pop $0
  StrCpy $2 0
  ${If} $0 != ""
    ClearErrors
    ReadRegStr $1 HKLM "${PROXY_USERS_KEY}" $0
    ${IfNot} ${Errors}
      StrCpy $2 1
    ${EndIf}
  ${EndIf}
  ${If} $2 = 0
  ${AndIf} ${FileExists} "$WINDIR\${PROXY_NAME}"
    Push $0
    Call un.OtherProxyUsers
    Pop $1
    ${If} $1 = 0
      StrCpy $2 1
    ${EndIf}
  ${EndIf}
  ${If} $2 = 1
    DetailPrint "Releasing ${PROXY_NAME} in the Windows folder (administrator consent)"
    ExecShellWait "runas" "$EXEPATH" "/RELEASEPROXY=$0 _?=$INSTDIR" SW_HIDE
  ${EndIf}
FunctionEnd

; The elevated start of the uninstaller: forgets the user and, when nobody
; else is left, removes the proxy and the record. Exit code 0, 1 when the
; proxy should be gone but is not, 2 for a malformed SID.
Function un.ReleaseProxyElevated
  SetSilent silent
  Push $1
  Call un.IsSidText
  Pop $0
  ${If} $0 <> 1
    SetErrorLevel 2
    Quit
  ${EndIf}
  DeleteRegValue HKLM "${PROXY_USERS_KEY}" $1
  Push $1
  Call un.OtherProxyUsers
  Pop $0
  SetErrorLevel 0
  ${If} $0 = 0
    Delete "$WINDIR\${PROXY_NAME}"
    DeleteRegKey HKLM "${PROXY_USERS_KEY}"
    DeleteRegKey /ifempty HKLM "${PROGRAM_KEY}"
    DeleteRegKey /ifempty HKLM "${MAKER_KEY}"
    ${If} ${FileExists} "$WINDIR\${PROXY_NAME}"
      SetErrorLevel 1
    ${EndIf}
  ${EndIf}
  Quit
FunctionEnd
