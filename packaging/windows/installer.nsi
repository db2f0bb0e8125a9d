; The per-user installer of Orvalin for Windows, made by scripts/windows-package:
;   makensis -DVERSION=x.y.z -DSOURCE=<the program folder> -DOUTFILE=<setup.exe> installer.nsi
; It needs no administrator: the program goes into the user's programs folder, the Start-menu
; entry, the "Open with" entry and the "Convert to JPG" verb for .webp files into the user's own
; part of the system. It never makes Orvalin the default for .webp files. The uninstaller removes
; all of that and leaves the user's settings (HKCU\Software\Kestrune\Orvalin) alone.
;
; The component "Add to PATH", ticked unless the command line says /NOPATH, adds the program's
; folder to the end of the user's own Path (HKCU\Environment), so that orvalin-convert runs by
; its name in any console opened afterwards. A silent install (/S) adds it too, and leaves it out
; with /NOPATH. The uninstaller takes out the entry the installer added and no other; a folder
; the user had put on the Path before stays there.

; A 64-bit installer for the 64-bit program: it runs wherever the program does.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh
!include WinMessages.nsh

!define NAME "Orvalin"
!define PUBLISHER "Kestrune"
!define PROGID "Orvalin.webp"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvalin"
!define WEBP_SHELL "Software\Classes\SystemFileAssociations\.webp\shell"
!define CONVERT_VERB "${WEBP_SHELL}\Orvalin.ConvertToJPG"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Orvalin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

ComponentText "Orvalin comes with orvalin-convert, which converts from a console. With its \
    folder on your PATH, any console you open runs it by its name."
LicenseText "Orvalin is free software: you may use, share and change it under the GNU General \
    Public License, version 3 or later. The libraries it carries come under their own \
    licences, in THIRD-PARTY-NOTICES.txt beside the program." "I &Agree"
LicenseData "${SOURCE}\LICENSE.txt"
Page license
Page components
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

!define /ifndef REG_SZ 1
!define /ifndef REG_EXPAND_SZ 2
!define KEY_READ 0x20019
!define RRF_RT_ANY_NOEXPAND 0x1000FFFF
!define ERROR_FILE_NOT_FOUND 2

; The user's Path is read and written as a whole, in strings of at most NSIS_MAX_STRLEN
; characters: one too long for them is left as it is rather than cut short.
!macro PATH_FUNCTIONS UN
; Reads the user's own Path into $R0, its type into $R1 (REG_SZ or REG_EXPAND_SZ; 0 when the
; user has none). $R2 stays empty when it can be read whole and grow by $R3 characters, and
; otherwise says why not.
Function ${UN}ReadUserPath
    StrCpy $R0 ""
    StrCpy $R1 0
    StrCpy $R2 ""
    StrCpy $2 0
    StrCpy $3 0
    System::Call 'advapi32::RegOpenCurrentUser(i ${KEY_READ}, *p .r0) i .r1'
    ${If} $1 <> 0
        StrCpy $R2 "your part of the registry cannot be opened"
        Return
    ${EndIf}
    System::Call 'advapi32::RegGetValueW(p r0, w "Environment", w "Path", \
        i ${RRF_RT_ANY_NOEXPAND}, *i .r2, p 0, *i .r3) i .r1'
    System::Call 'advapi32::RegCloseKey(p r0)'
    ${If} $1 = ${ERROR_FILE_NOT_FOUND}
        Return
    ${EndIf}
    ${If} $1 <> 0
        StrCpy $R2 "it cannot be read"
        Return
    ${EndIf}
    ${If} $2 <> ${REG_SZ}
    ${AndIf} $2 <> ${REG_EXPAND_SZ}
        StrCpy $R2 "it is not text"
        Return
    ${EndIf}
    IntOp $3 $3 / 2 ; characters, with the closing one
    IntOp $3 $3 + $R3
    ${If} $3 > ${NSIS_MAX_STRLEN}
        StrCpy $R2 "it is too long for this installer to change"
        Return
    ${EndIf}
    ClearErrors
    ReadRegStr $R0 HKCU "Environment" "Path"
    ${If} ${Errors}
        StrCpy $R2 "it cannot be read"
        Return
    ${EndIf}
    StrCpy $R1 $2
FunctionEnd

; Takes every entry that is $R5 (letter case aside, as Windows compares folder names) out of
; the Path in $R0. The other entries keep their text and their order. $R4 is 1 when there was
; such an entry.
Function ${UN}RemovePathEntry
    StrCpy $1 $R0
    StrCpy $R0 ""
    StrCpy $R4 0
    StrCpy $5 0 ; 1 once an entry is kept
    ${Do}
        StrCpy $3 0
        ${Do}
            StrCpy $4 $1 1 $3
            ${If} $4 == ""
            ${OrIf} $4 == ";"
                ${ExitDo}
            ${EndIf}
            IntOp $3 $3 + 1
        ${Loop}
        StrCpy $2 $1 $3
        IntOp $3 $3 + 1
        StrCpy $1 $1 "" $3
        ${If} $2 == $R5
            StrCpy $R4 1
        ${ElseIf} $5 = 0
            StrCpy $R0 $2
            StrCpy $5 1
        ${Else}
            StrCpy $R0 "$R0;$2"
        ${EndIf}
    ${LoopUntil} $4 == ""
FunctionEnd

; Writes $R0 as the user's Path, of the type $R1 it had (REG_EXPAND_SZ for a new one), or
; removes the Path when $R0 is empty, and tells the running programs: Explorer then passes it to
; the consoles it starts.
Function ${UN}WriteUserPath
    ${If} $R0 == ""
        DeleteRegValue HKCU "Environment" "Path"
    ${ElseIf} $R1 = ${REG_SZ}
        WriteRegStr HKCU "Environment" "Path" $R0
    ${Else}
        WriteRegExpandStr HKCU "Environment" "Path" $R0
    ${EndIf}
    SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
FunctionEnd
!macroend
!insertmacro PATH_FUNCTIONS ""
!insertmacro PATH_FUNCTIONS "un."

Section "Orvalin"
    SectionIn RO
    SetShellVarContext current
    SetOutPath "$INSTDIR"
    File /r "${SOURCE}\*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    CreateShortCut "$SMPROGRAMS\Orvalin.lnk" "$INSTDIR\orvalin.exe"

    ; "Open with" for .webp files: a program id that opens them, offered among the choices.
    WriteRegStr HKCU "Software\Classes\${PROGID}" "" "WebP image"
    WriteRegStr HKCU "Software\Classes\${PROGID}\DefaultIcon" "" "$INSTDIR\orvalin.exe,0"
    WriteRegStr HKCU "Software\Classes\${PROGID}\shell\open\command" "" '"$INSTDIR\orvalin.exe" "%1"'
    WriteRegStr HKCU "Software\Classes\.webp\OpenWithProgids" "${PROGID}" ""
    WriteRegStr HKCU "Software\Classes\Applications\orvalin.exe" "FriendlyAppName" "${NAME}"
    WriteRegStr HKCU "Software\Classes\Applications\orvalin.exe\SupportedTypes" ".webp" ""
    WriteRegStr HKCU "Software\Classes\Applications\orvalin.exe\shell\open\command" "" '"$INSTDIR\orvalin.exe" "%1"'

    ; "Convert to JPG" on a right-click of .webp files, whichever program opens them. Explorer
    ; starts the command once for each file selected; those starts gather into one window and
    ; one run, each JPG beside its source.
    WriteRegStr HKCU "${CONVERT_VERB}" "" "Convert to JPG"
    WriteRegStr HKCU "${CONVERT_VERB}" "Icon" "$INSTDIR\orvalin.exe"
    WriteRegStr HKCU "${CONVERT_VERB}\command" "" '"$INSTDIR\orvalin.exe" --convert-here "%1"'

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvalin.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Add to PATH" SectionPath
    StrLen $R3 $INSTDIR
    IntOp $R3 $R3 + 1 ; and a ";"
    Call ReadUserPath
    ${If} $R2 != ""
        MessageBox MB_OK|MB_ICONEXCLAMATION "Your PATH was left as it is: $R2.$\r$\n$\r$\n\
            To run orvalin-convert by its name, add this folder to it yourself:$\r$\n$INSTDIR" \
            /SD IDOK
        Return
    ${EndIf}
    StrCpy $6 $R0
    StrCpy $R5 $INSTDIR
    Call RemovePathEntry
    ; There already: added by an earlier install, which noted it, or by the user, whose entry
    ; the uninstaller leaves.
    ${If} $R4 = 1
        DetailPrint "$INSTDIR is on your PATH already"
        Return
    ${EndIf}
    StrCpy $7 $6 1 -1
    ${If} $6 == ""
    ${OrIf} $7 == ";"
        StrCpy $R0 "$6$INSTDIR"
    ${Else}
        StrCpy $R0 "$6;$INSTDIR"
    ${EndIf}
    Call WriteUserPath
    WriteRegStr HKCU "${UNINSTALL_KEY}" "AddedToPath" "$INSTDIR"
    DetailPrint "Added to your PATH: $INSTDIR"
SectionEnd

Function .onInit
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NOPATH" $1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${SectionPath}
    ${EndIf}
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    ReadRegStr $R5 HKCU "${UNINSTALL_KEY}" "AddedToPath"
    ${If} $R5 != ""
        StrCpy $R3 0
        Call un.ReadUserPath
        ${If} $R2 != ""
            MessageBox MB_OK|MB_ICONEXCLAMATION "Your PATH was left as it is: $R2.$\r$\n$\r$\n\
                Take this folder out of it yourself:$\r$\n$R5" /SD IDOK
        ${Else}
            Call un.RemovePathEntry
            ${If} $R4 = 1
                Call un.WriteUserPath
                DetailPrint "Taken out of your PATH: $R5"
            ${EndIf}
        ${EndIf}
    ${EndIf}
    Delete "$SMPROGRAMS\Orvalin.lnk"
    DeleteRegValue HKCU "Software\Classes\.webp\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "Software\Classes\.webp\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "Software\Classes\.webp"
    DeleteRegKey HKCU "Software\Classes\${PROGID}"
    DeleteRegKey HKCU "Software\Classes\Applications\orvalin.exe"
    DeleteRegKey HKCU "${CONVERT_VERB}"
    DeleteRegKey /ifempty HKCU "${WEBP_SHELL}"
    DeleteRegKey /ifempty HKCU "Software\Classes\SystemFileAssociations\.webp"
    DeleteRegKey /ifempty HKCU "Software\Classes\SystemFileAssociations"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; By name, never the whole folder: the user may have chosen a folder that holds more.
    Delete "$INSTDIR\orvalin.exe"
    Delete "$INSTDIR\orvalin-convert.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\qt.conf"
    Delete "$INSTDIR\LICENSE.txt"
    Delete "$INSTDIR\THIRD-PARTY-NOTICES.txt"
    Delete "$INSTDIR\HAND-M.CUR"
    Delete "$INSTDIR\drag.ico"
    RMDir /r "$INSTDIR\plugins"
    RMDir /r "$INSTDIR\translations"
    RMDir /r "$INSTDIR\Samples"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
