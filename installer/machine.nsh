; What the setup program and the uninstaller ask of the machine: whether
; Norvane runs, who the user is, where an earlier installation lies, whether
; a screensaver value names the proxy, and whether two files hold the same
; bytes.

!define PROGRAM_KEY "Software\Tessaly\Norvane"
!define MAKER_KEY "Software\Tessaly"
!define DESKTOP_KEY "Control Panel\Desktop"
!define PROXY_NAME "_Norvane.scr"
!define POLICY_DESKTOP_KEY "Software\Policies\Microsoft\Windows\Control Panel\Desktop"

; 1 where the x64 programs are installed: on 64-bit Windows, where a 32-bit
; manager would see SysWOW64 as the system folder and miss the 64-bit
; screensavers in System32. Windows 10 on Arm runs no x64 programs (Windows
; 11 on Arm does, from build 22000 on): it gets the x86 ones.
Var windows64

; Finds out which Windows this is. A 32-bit setup on 64-bit Windows then
; reads and writes the 64-bit view of the machine's registry, the one the
; other runs of the setup and the uninstaller see too.
!macro MachineRegistryView
  !if ${NSIS_PTR_SIZE} > 4
    StrCpy $windows64 1
    SetRegView 64
  !else
    StrCpy $windows64 0
    ${If} ${RunningX64}
      SetRegView 64
      StrCpy $windows64 1
      ${If} ${IsNativeARM64}
      ${AndIfNot} ${AtLeastBuild} 22000
        StrCpy $windows64 0
      ${EndIf}
    ${EndIf}
  !endif
!macroend

; Notes in VAR (1) that something since the last ClearErrors failed. Every
; test of the error flag clears it, so it is tested once, here, and kept.
!macro NoteErrors VAR
  IfErrors 0 +2
  StrCpy ${VAR} 1
!macroend

; Ends the run with a message (none when silent) and a failing exit code.
!macro FailSetup MESSAGE
  MessageBox MB_OK|MB_ICONSTOP "${MESSAGE}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

!macro MACHINE_FUNCTIONS UN
  ; A running manager holds its single-instance mutex. Its files must not be
  ; replaced or removed under it, so the run ends here, with exit code 2.
  Function ${UN}RefuseWhileRunning
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${INSTANCE_MUTEX}") p .r0 ? e'
    Pop $1
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    ; Access denied means it exists, in another account's hands.
    ${If} $0 P<> 0
    ${OrIf} $1 = 5
      MessageBox MB_OK|MB_ICONSTOP "Norvane is running. Close it (Close in the menu of its icon in \
the notification area), then start this program again." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  FunctionEnd

  ; "Run as administrator" by a standard user who types an administrator's
  ; password runs this program as that administrator: it would install into
  ; the administrator's profile and registry, not the user's. An elevated
  ; run whose account is not the one signed in to this session is refused.
  Function ${UN}RefuseOtherAccount
    System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r0) i .r1'
    ${If} $1 = 0
      Return
    ${EndIf}
    ; TokenElevation: nonzero when elevated.
    System::Call 'advapi32::GetTokenInformation(p r0, i 20, *i .r2, i 4, *i .r3) i .r1'
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} $1 = 0
    ${OrIf} $2 = 0
      Return
    ${EndIf}
    Push WTSUserName
    Call ${UN}SessionText
    Pop $0
    System::Call 'advapi32::GetUserNameW(w .r1, *i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $0 == ""
    ${OrIf} $2 = 0
      Return
    ${EndIf}
    Push WTSDomainName
    Call ${UN}SessionText
    Pop $2
    ReadEnvStr $3 USERDOMAIN
    StrCpy $4 0
    ${If} $0 != $1
      StrCpy $4 1
    ${ElseIf} $2 != ""
    ${AndIf} $3 != ""
    ${AndIf} $2 != $3
      StrCpy $4 1
    ${EndIf}
    ${If} $4 = 1
      MessageBox MB_OK|MB_ICONSTOP "This program runs as $3\$1, not as $2\$0, who is signed in: \
it would work on that account's Norvane instead of yours.$\r$\n$\r$\nStart it again normally, not \
with $\"Run as administrator$\"; Windows asks for an administrator's consent where it is needed." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  FunctionEnd

  ; A text about this session (WTSUserName or WTSDomainName on the stack);
  ; empty when Windows does not tell it.
  Function ${UN}SessionText
    Exch $0
    Push $1
    Push $2
    ${If} $0 == WTSUserName
      StrCpy $0 5
    ${Else}
      StrCpy $0 7
    ${EndIf}
    System::Call 'wtsapi32::WTSQuerySessionInformationW(p 0, i -1, i r0, *p .r1, *i .r2) i .r2'
    StrCpy $0 ""
    ${If} $2 <> 0
      System::Call 'kernel32::lstrcpynW(w .r0, p r1, i ${NSIS_MAX_STRLEN})'
      System::Call 'wtsapi32::WTSFreeMemory(p r1)'
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  ; The user's security identifier as text, such as S-1-5-21-...-1001: it
  ; names the user in the machine-wide record of the proxy's users.
  Function ${UN}UserSid
    Push $0
    Push $1
    Push $2
    Push $3
    StrCpy $3 ""
    System::Call 'advapi32::OpenProcessToken(p -1, i 8, *p .r0) i .r1'
    ${If} $1 <> 0
      System::Call 'advapi32::GetTokenInformation(p r0, i 1, p 0, i 0, *i .r1)'
      System::Alloc $1
      Pop $2
      System::Call 'advapi32::GetTokenInformation(p r0, i 1, p r2, i r1, *i .r1) i .r1'
      ${If} $1 <> 0
        System::Call '*$2(p .r1)'
        System::Call 'advapi32::ConvertSidToStringSidW(p r1, *p .r1) i .r3'
        ${If} $3 <> 0
          System::Call '*$1(&w256 .r3)'
          System::Call 'kernel32::LocalFree(p r1)'
        ${Else}
          StrCpy $3 ""
        ${EndIf}
      ${EndIf}
      System::Free $2
      System::Call 'kernel32::CloseHandle(p r0)'
    ${EndIf}
    Pop $2
    Pop $1
    Pop $0
    Exch $3
  FunctionEnd

  ; Whether the screensaver value on the stack names the Windows folder's
  ; proxy, by its long or short path or its bare name; 1 or 0 on the stack.
  Function ${UN}NamesProxy
    Exch $0
    Push $1
    StrCpy $1 0
    ${If} $0 == "$WINDIR\${PROXY_NAME}"
    ${OrIf} $0 == "${PROXY_NAME}"
      StrCpy $1 1
    ${ElseIf} $0 != ""
      GetFullPathName /SHORT $0 $0
      ${If} $0 != ""
        Push $2
        GetFullPathName /SHORT $2 "$WINDIR\${PROXY_NAME}"
        ${If} $0 == $2
          StrCpy $1 1
        ${EndIf}
        Pop $2
      ${EndIf}
    ${EndIf}
    StrCpy $0 $1
    Pop $1
    Exch $0
  FunctionEnd
!macroend
!insertmacro MACHINE_FUNCTIONS ""
!insertmacro MACHINE_FUNCTIONS "un."

; Policy values for the screensaver override the user's own: Windows then
; never runs the one Norvane registers. The last page says so in this note.
Var policyNote

Function NoteScreensaverPolicy
  StrCpy $policyNote ""
  StrCpy $1 0
  ${ForEach} $0 0 1 + 1
    ${If} $0 = 0
      StrCpy $2 "SCRNSAVE.EXE"
    ${Else}
      StrCpy $2 "ScreenSaveActive"
    ${EndIf}
    ClearErrors
    ReadRegStr $3 HKCU "${POLICY_DESKTOP_KEY}" $2
    IfErrors 0 +3
    ClearErrors
    ReadRegDWORD $3 HKCU "${POLICY_DESKTOP_KEY}" $2
    IfErrors +2
    StrCpy $1 1
  ${Next}
  ${If} $1 = 1
    StrCpy $policyNote "A policy of this computer sets the screensaver: Windows follows it, not \
Norvane.$\r$\n$\r$\n"
  ${EndIf}
FunctionEnd

; The folder of an installation that is still there, without a trailing
; backslash; empty when there is none.
Function InstalledFolder
  Push $0
  Push $1
  ReadRegStr $0 HKCU "${PROGRAM_KEY}" "InstallDir"
  ${DoUntil} $0 == ""
    StrCpy $1 $0 "" -1
    ${If} $1 != "\"
      ${ExitDo}
    ${EndIf}
    StrCpy $0 $0 -1
  ${Loop}
  ${IfNot} ${FileExists} "$0\Norvane.exe"
    StrCpy $0 ""
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Whether the two files on the stack (pushed first, then second) both exist
; and hold the same bytes; 1 or 0 on the stack.
Function FilesEqual
  Exch $1
  Exch
  Exch $0
  Exch
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  Push $7
  StrCpy $7 0
  ClearErrors
  FileOpen $2 $0 r
  ${IfNot} ${Errors}
    FileOpen $3 $1 r
    ${IfNot} ${Errors}
      FileSeek $2 0 END $4
      FileSeek $3 0 END $5
      ${If} $4 = $5
        FileSeek $2 0 SET
        FileSeek $3 0 SET
        System::Alloc $4
        Pop $5
        System::Alloc $4
        Pop $6
        System::Call 'kernel32::ReadFile(p r2, p r5, i r4, *i .r0, p 0) i .r1'
        ${If} $1 <> 0
        ${AndIf} $0 = $4
          System::Call 'kernel32::ReadFile(p r3, p r6, i r4, *i .r0, p 0) i .r1'
          ${If} $1 <> 0
          ${AndIf} $0 = $4
            System::Call 'ntdll::RtlCompareMemory(p r5, p r6, p r4) p .r0'
            ${If} $0 = $4
              StrCpy $7 1
            ${EndIf}
          ${EndIf}
        ${EndIf}
        System::Free $5
        System::Free $6
      ${EndIf}
      FileClose $3
    ${EndIf}
    FileClose $2
  ${EndIf}
  StrCpy $0 $7
  Pop $7
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Exch $0
FunctionEnd
