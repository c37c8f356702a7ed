; SPDX-FileCopyrightText: 2026 The Palvorin developers
; SPDX-License-Identifier: MIT

; The Palvorin installer for 64-bit Windows: for the current user, without administrator
; rights, into %LOCALAPPDATA%\Programs\Palvorin. Built by scripts/windows installer:
;   makensis -DVERSION=1.0.0 -DSTAGE=<the zip's palvorin folder> -DFILES=<files.nsh>
;            -DICON=<palvorin.ico> -DOUTFILE=<palvorin-setup-1.0.0-x64.exe> palvorin.nsi
; FILES lists the staged files for the uninstaller, which removes only what was installed.
Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Palvorin"
!define PUBLISHER "The Palvorin developers"

Name "Palvorin"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Palvorin"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "Palvorin"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "Palvorin installer"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "LegalCopyright" "Copyright 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_TEXT "Palvorin is installed. Start it from the Start menu.$\r$\n$\r$\nIt works in the folder Documents\Palvorin: its state file (shelly_daily_state.txt) lives there, and Details opens the production logs there (daily_production_log.csv, production_log.csv)."
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Palvorin"
!define MUI_FINISHPAGE_RUN_FUNCTION StartInDataFolder
; Off unless ticked; a silent install makes it with /AUTOSTART.
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Start Palvorin when I sign in"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION StartAtSignIn

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Palvorin"
    SetShellVarContext current
    ; A running program cannot be replaced: say so and fail, as the uninstaller does, rather than
    ; report an install that changed nothing. Its file is written again below.
    ClearErrors
    Delete "$INSTDIR\palvorin.exe"
    IfErrors 0 +4
        MessageBox MB_OK|MB_ICONSTOP "Palvorin is running. Close it, then install again." /SD IDOK
        SetErrorLevel 2
        Abort
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The user's data folder: the shortcut starts the program there.
    CreateDirectory "$DOCUMENTS\Palvorin"
    SetOutPath "$DOCUMENTS\Palvorin"
    CreateShortcut "$SMPROGRAMS\Palvorin.lnk" "$INSTDIR\palvorin.exe" "" "$INSTDIR\palvorin.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Palvorin"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\palvorin.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/AUTOSTART" $1
    IfErrors +2
        Call StartAtSignIn
SectionEnd

; The shortcut the program's own "Start at sign-in" makes and removes: the program, told that it
; starts at sign-in, in the folder it works in; the installer's program works in Documents\Palvorin.
Function StartAtSignIn
    SetShellVarContext current
    CreateDirectory "$DOCUMENTS\Palvorin"
    SetOutPath "$DOCUMENTS\Palvorin"
    CreateDirectory "$SMSTARTUP"
    CreateShortcut "$SMSTARTUP\Palvorin.lnk" "$INSTDIR\palvorin.exe" "--autostart" "$INSTDIR\palvorin.exe" 0
FunctionEnd

Function StartInDataFolder
    SetOutPath "$DOCUMENTS\Palvorin"
    Exec '"$INSTDIR\palvorin.exe"'
FunctionEnd

; Removes the program, its shortcut and its key; Documents\Palvorin is the user's and stays.
Section "Uninstall"
    SetShellVarContext current
    ; A running program cannot be removed: say so rather than leave half of it behind.
    ClearErrors
    Delete "$INSTDIR\palvorin.exe"
    IfErrors 0 +3
        MessageBox MB_OK|MB_ICONSTOP "Palvorin is running. Close it, then uninstall again." /SD IDOK
        Abort
    Delete "$SMPROGRAMS\Palvorin.lnk"
    Delete "$SMSTARTUP\Palvorin.lnk"
    !include "${FILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
