; Windows before Windows 10 version 1903 ignores the UTF-8 code page that
; Norvane's programs declare: they see the install folder through the ANSI
; code page, which may not hold every character of its name. Such a folder
; is used by its short (8.3) name when that one survives the code page, and
; refused otherwise: interactively the folder page asks for another one, a
; silent run ends with exit code 4.

!define UTF8_CODE_PAGE_BUILD 18362

; Whether the text on the stack comes back unchanged from the ANSI code
; page; 1 or 0 on the stack. The System plug-in converts an "m" argument to
; the ANSI code page and an "m" result back.
Function SurvivesCodePage
  Exch $0
  Push $1
  System::Call 'kernel32::lstrcpynA(m .r1, m r0, i ${NSIS_MAX_STRLEN})'
  ${If} $0 S== $1
    StrCpy $0 1
  ${Else}
    StrCpy $0 0
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

; Makes $INSTDIR a name this Windows' ANSI programs can use, creating the
; folder for its short name; 1 when it is one, 0 (folder left as it was)
; when there is none.
Function UseFolderForCodePage
  Push $0
  Push $1
  StrCpy $0 1
  ${IfNot} ${AtLeastBuild} ${UTF8_CODE_PAGE_BUILD}
    Push $INSTDIR
    Call SurvivesCodePage
    Pop $0
  ${EndIf}
  ${If} $0 = 0
    StrCpy $1 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
      CreateDirectory $INSTDIR
      StrCpy $1 1
    ${EndIf}
    GetFullPathName /SHORT $0 $INSTDIR
    ${If} $0 != ""
      Push $0
      Call SurvivesCodePage
      Pop $0
      ${If} $0 = 1
        GetFullPathName /SHORT $INSTDIR $INSTDIR
      ${EndIf}
    ${Else}
      StrCpy $0 0
    ${EndIf}
    ${If} $0 = 0
    ${AndIf} $1 = 1
      RMDir $INSTDIR
    ${EndIf}
  ${EndIf}
  Pop $1
  Exch $0
FunctionEnd

!macro RefuseFolderForCodePage
  MessageBox MB_OK|MB_ICONEXCLAMATION "This version of Windows shows Norvane the names of its \
folders through the code page of its language, and the name $\"$INSTDIR$\" has characters that \
it cannot hold (nor has the folder a short name that it can).$\r$\n$\r$\nChoose another folder, \
for example one whose name has only letters of your Windows' language." /SD IDOK
!macroend

; The folder page's check.
Function CheckFolderCodePage
  Call UseFolderForCodePage
  Pop $0
  ${If} $0 = 0
    !insertmacro RefuseFolderForCodePage
    Abort
  ${EndIf}
FunctionEnd

; The install's check, for a silent run, which has no folder page.
Function RequireFolderForCodePage
  Call UseFolderForCodePage
  Pop $0
  ${If} $0 = 0
    !insertmacro RefuseFolderForCodePage
    SetErrorLevel 4
    Abort
  ${EndIf}
FunctionEnd
