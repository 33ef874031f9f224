; Norvane's setup program. It installs the manager for the signed-in user
; alone, without administrator rights, into the user's own programs folder,
; and registers it in the user's registry: the folder that holds the list
; files, the start at log-on, the Start-menu shortcut and the entry among the
; installed programs. The one machine-wide part, the proxy screensaver in the
; Windows folder, is placed by a second, elevated start of this same program
; that does nothing else (proxy.nsh).
;
; The build defines OUTFILE, X86_BIN and X64_BIN (the folders holding each
; flavour's Norvane.exe and _Norvane.scr), HELP_FILE, ICON, VERSION and
; INSTANCE_MUTEX, AMD64_STUB for the copy built on NSIS's 64-bit stub, which
; runs where 32-bit code cannot, and SIGN, the signing command, when the
; programs are to be signed.

Unicode true
!ifdef AMD64_STUB
  Target amd64-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
AllowSkipFiles off
; Signed when the build says how (scripts/sign): the uninstaller as it is
; made, then the setup itself.
!ifdef SIGN
  !uninstfinalize '"${SIGN}" "%1"' = 0
  !finalize '"${SIGN}" "%1"' = 0
!endif
; Windows 7 to 11, drawn at the display's real scale.
ManifestSupportedOS all
ManifestDPIAware true
ManifestDPIAwareness "PerMonitorV2,System"

Name "Norvane"
!define PRODUCT_URL "https://www.norvane.example/norvane/"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Norvane"

VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Norvane"
VIAddVersionKey /LANG=1033 "CompanyName" "Tessaly"
VIAddVersionKey /LANG=1033 "FileDescription" "Norvane setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2026 Tessaly"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include WinVer.nsh
!include "machine.nsh"
!include "proxy.nsh"
!include "registration.nsh"
!include "codepage.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install Norvane for you alone: into a folder of your own, \
without administrator rights.$\r$\n$\r$\nOnly its screensaver _Norvane.scr goes into the Windows \
folder, which Windows asks an administrator to allow once.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolderCodePage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_PRE NoteScreensaverPolicy
!define MUI_FINISHPAGE_TEXT "Setup has installed Norvane on your computer.$\r$\n$\r$\n$policyNote\
Click Finish to close Setup."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Norvane now"
!define MUI_FINISHPAGE_RUN_FUNCTION StartManager
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The folder of an existing installation, which an upgrade goes into.
Var upgradeFolder

Function .onInit
  !insertmacro MachineRegistryView
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PLACEPROXY=" $1
  ${IfNot} ${Errors}
    Call PlaceProxyElevated
  ${EndIf}
  Call RefuseOtherAccount
  Call RefuseWhileRunning
  Call InstalledFolder
  Pop $upgradeFolder
  ${If} $upgradeFolder != ""
    StrCpy $INSTDIR $upgradeFolder
  ${EndIf}
FunctionEnd

; An upgrade keeps its folder, and the list files in it: no folder to choose.
Function SkipFolderOnUpgrade
  ${If} $upgradeFolder != ""
    Abort
  ${EndIf}
FunctionEnd

; The setup runs as the user, unelevated, and so does what it starts.
Function StartManager
  Exec '"$INSTDIR\Norvane.exe"'
FunctionEnd

Section "Norvane"
  Call RefuseWhileRunning
  StrCpy $0 0
  ClearErrors
  CreateDirectory "$INSTDIR"
  !insertmacro NoteErrors $0
  ${If} $0 = 1
    !insertmacro FailSetup "Setup could not create the folder $INSTDIR."
  ${EndIf}
  Call RequireFolderForCodePage
  ; Copies of the uninstaller that earlier uninstalls left behind.
  Delete "$TEMP\NorvaneUninstall-*.exe"
  SetOutPath "$INSTDIR"
  ${If} $windows64 = 1
    File "/oname=Norvane.exe" "${X64_BIN}/Norvane.exe"
  ${Else}
    File "/oname=Norvane.exe" "${X86_BIN}/Norvane.exe"
  ${EndIf}
  SetOutPath "$INSTDIR\Help"
  File "${HELP_FILE}"
  SetOutPath "$INSTDIR"
  ClearErrors
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  ${If} ${Errors}
    !insertmacro FailSetup "Setup could not write $INSTDIR\Uninstall.exe."
  ${EndIf}
  Call WriteRegistration
  Call PlaceProxy
SectionEnd

Function un.onInit
  !insertmacro MachineRegistryView
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/RELEASEPROXY=" $1
  ${IfNot} ${Errors}
    Call un.ReleaseProxyElevated
  ${EndIf}
  ClearErrors
  ${GetOptions} $0 "/REMOVEUNINSTALLER=" $1
  ${IfNot} ${Errors}
    Push $1
    Call un.RemoveUninstallerAfter
  ${EndIf}
  Call un.RefuseOtherAccount
  Call un.RefuseWhileRunning
  Call un.RefuseOtherInstallation
FunctionEnd

Section "Uninstall"
  Call un.NoteScreensaver
  StrCpy $proxyKept 0
  Call un.ReleaseProxy
  Call un.RestoreScreensaver
  StrCpy $removalFailed 0
  Call un.RemoveFiles
  Call un.RemoveRegistration
  ${If} $removalFailed = 1
    !insertmacro FailSetup "Some of Norvane's files or settings could not be removed."
  ${ElseIf} $proxyKept = 1
    SetErrorLevel 3
  ${EndIf}
SectionEnd
