; The Windows installer of Mind Prism: Program Files\Mind Prism, a Start-menu
; entry, and an uninstaller listed among the installed programs. Built by the
; `installer` target, which passes VERSION, OUTFILE, INSTALL_LIST (File lines
; of the staged files) and UNINSTALL_LIST (the matching Delete lines).
; Silent with /S, both ways. Speaks Simplified Chinese or English, as the
; system's interface language asks (English where it is neither).
Unicode true
; 64-bit stubs: the program is 64-bit, and a 64-bit-only system runs no other.
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"

!define PRODUCT "Mind Prism"
!define PUBLISHER "Larkspan"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MindPrism"
!define MENU_FOLDER "$SMPROGRAMS\${PRODUCT}"

Name "$(ProductName)"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
BrandingText "$(ProductName) ${VERSION}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) ${PUBLISHER}"

; Modern UI: the program's own icon, a welcome, the folder, the progress and
; a finish page that can start the program; the uninstaller asks, shows its
; progress and says it is done.
!define MUI_ICON "../img/Mindprism_01.ico"
!define MUI_UNICON "../img/Mindprism_01.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\mindprism.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunProduct)"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

; Without a language prompt the installer takes the language of the user's
; interface when it has it, else the first one.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString ProductName ${LANG_ENGLISH} "Mind Prism"
LangString ProductName ${LANG_SIMPCHINESE} "心灵棱镜"
LangString RunProduct ${LANG_ENGLISH} "Run Mind Prism"
LangString RunProduct ${LANG_SIMPCHINESE} "运行心灵棱镜"

Function .onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Function un.onInit
    SetRegView 64
    SetShellVarContext all
FunctionEnd

Section "Install"
    !include "${INSTALL_LIST}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "${MENU_FOLDER}"
    CreateShortcut "${MENU_FOLDER}\${PRODUCT}.lnk" "$INSTDIR\bin\mindprism.exe" "" \
        "$INSTDIR\bin\mindprism.exe" 0

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\mindprism.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Removes exactly what was installed: files a user put beside them, and the
; user's own setting (HKCU\Software\Larkspan\Mindprism), stay.
Section "Uninstall"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"

    Delete "${MENU_FOLDER}\${PRODUCT}.lnk"
    RMDir "${MENU_FOLDER}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
