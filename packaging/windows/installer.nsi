; The per-user installer of Orvalin for Windows, made by scripts/windows-package:
;   makensis -DVERSION=x.y.z -DSOURCE=<the program folder> -DOUTFILE=<setup.exe> installer.nsi
; It needs no administrator: the program goes into the user's programs folder, the Start-menu
; entry and the "Open with" entry for .webp files into the user's own part of the system. It
; never makes Orvalin the default for .webp files. The uninstaller removes all of that and
; leaves the user's settings (HKCU\Software\Kestrune\Orvalin) alone.

; A 64-bit installer for the 64-bit program: it runs wherever the program does.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define NAME "Orvalin"
!define PUBLISHER "Kestrune"
!define PROGID "Orvalin.webp"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvalin"

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Orvalin"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Orvalin"
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

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\orvalin.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext current
    Delete "$SMPROGRAMS\Orvalin.lnk"
    DeleteRegValue HKCU "Software\Classes\.webp\OpenWithProgids" "${PROGID}"
    DeleteRegKey /ifempty HKCU "Software\Classes\.webp\OpenWithProgids"
    DeleteRegKey /ifempty HKCU "Software\Classes\.webp"
    DeleteRegKey HKCU "Software\Classes\${PROGID}"
    DeleteRegKey HKCU "Software\Classes\Applications\orvalin.exe"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    ; By name, never the whole folder: the user may have chosen a folder that holds more.
    Delete "$INSTDIR\orvalin.exe"
    Delete "$INSTDIR\orvalin-convert.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\qt.conf"
    Delete "$INSTDIR\HAND-M.CUR"
    Delete "$INSTDIR\drag.ico"
    RMDir /r "$INSTDIR\plugins"
    RMDir /r "$INSTDIR\Samples"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
