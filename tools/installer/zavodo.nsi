; The Corvanet Editor's setup program, built by scripts/make-dist.sh:
;   makensis -DVERSION=1.0.0 -DPAYLOAD=<payload.nsh> -DOUTFILE=<setup.exe> zavodo.nsi
; VERSION comes from the file VERSION at the top of the tree. PAYLOAD is generated from the
; staged release: the macros InstallFiles and UninstallFiles, one line per file, so the
; uninstaller removes exactly what was installed. WINE_TEST_AMD64 builds a 64-bit twin of the
; same script, only for the install test under a Wine without 32-bit support.
!ifndef VERSION
    !error "VERSION must be defined (-DVERSION=1.0.0)"
!endif
!ifndef PAYLOAD
    !error "PAYLOAD must be defined (-DPAYLOAD=payload.nsh)"
!endif
!ifndef OUTFILE
    !error "OUTFILE must be defined (-DOUTFILE=setup.exe)"
!endif

!ifdef WINE_TEST_AMD64
    Target amd64-unicode
!else
    Target x86-unicode
!endif

!define PRODUCT "Corvanet Editor"
!define PUBLISHER "Corvanet Workshop"
!define PROGID "CorvanetEditor.KSR"
; The value under .KSR that keeps another program's association while ours holds it.
!define PREVIOUS_PROGID "CorvanetEditor.Previous"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define PRODUCT_KEY "Software\${PRODUCT}"
; Index of an icon group in ZAVODO.EXE: named groups come first in name order, so
; "DOCUMENT" is 0 and "EDITOR" is 1 (resources/icons.rc).
!define DOCUMENT_ICON 0
!define EDITOR_ICON 1

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "${PAYLOAD}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
InstallDirRegKey HKLM "${PRODUCT_KEY}" "InstallDir"
RequestExecutionLevel admin  ; Program Files, HKLM and the file association
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "LegalCopyright" "Copyright (C) ${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"

!define MUI_ICON "${__FILEDIR__}\..\..\resources\icons\editor.ico"
!define MUI_UNICON "${__FILEDIR__}\..\..\resources\icons\editor.ico"
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "!${PRODUCT}" SecProgram
    SectionIn RO
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    WriteRegStr HKLM "${PRODUCT_KEY}" "InstallDir" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\ZAVODO.EXE,${EDITOR_ICON}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Start menu entry" SecStartMenu
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\ZAVODO.EXE" "" \
        "$INSTDIR\ZAVODO.EXE" ${EDITOR_ICON}
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\User Guide.lnk" "$INSTDIR\USER_GUIDE.TXT"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"
SectionEnd

Section "Open .KSR files with the editor" SecAssociation
    ReadRegStr $0 HKCR ".KSR" ""
    ${If} $0 != ""
    ${AndIf} $0 != "${PROGID}"
        WriteRegStr HKCR ".KSR" "${PREVIOUS_PROGID}" $0
    ${EndIf}
    WriteRegStr HKCR ".KSR" "" "${PROGID}"
    WriteRegStr HKCR "${PROGID}" "" "KESTREL Script"
    WriteRegStr HKCR "${PROGID}\DefaultIcon" "" "$INSTDIR\ZAVODO.EXE,${DOCUMENT_ICON}"
    WriteRegStr HKCR "${PROGID}\shell\open\command" "" '"$INSTDIR\ZAVODO.EXE" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
SectionEnd

LangString DESC_Program ${LANG_ENGLISH} "The editor, its libraries, the compiler, help and samples."
LangString DESC_StartMenu ${LANG_ENGLISH} "The editor, its user guide and the uninstaller in the Start menu."
LangString DESC_Association ${LANG_ENGLISH} "Double-clicking a KESTREL script (.KSR) opens it in the editor."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
    !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} $(DESC_Program)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecStartMenu} $(DESC_StartMenu)
    !insertmacro MUI_DESCRIPTION_TEXT ${SecAssociation} $(DESC_Association)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
    ; The association only while it is still ours; another program's comes back.
    ReadRegStr $0 HKCR ".KSR" ""
    ${If} $0 == "${PROGID}"
        ReadRegStr $1 HKCR ".KSR" "${PREVIOUS_PROGID}"
        ${If} $1 == ""
            DeleteRegValue HKCR ".KSR" ""
        ${Else}
            WriteRegStr HKCR ".KSR" "" $1
        ${EndIf}
    ${EndIf}
    DeleteRegValue HKCR ".KSR" "${PREVIOUS_PROGID}"
    DeleteRegKey /ifempty HKCR ".KSR"
    DeleteRegKey HKCR "${PROGID}"
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\User Guide.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"

    ; File by file, so that nothing the user put into the folder is lost. QV5.INI, in the
    ; Windows directory, keeps the user's settings and stays.
    !insertmacro UninstallFiles
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "${PRODUCT_KEY}"
SectionEnd
