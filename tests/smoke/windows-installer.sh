#!/usr/bin/env bash
# The Windows installer under Wine, run silently as a user would run it by hand: it installs
# into the user's programs folder with a Start-menu entry and an "Open with" entry for .webp
# files, without making the program the default for them, and adds its folder to the user's
# Path, of the type the Path had; its uninstaller takes all of that away again and leaves the
# user's settings and the Path's other entries alone. A Path too long for the installer to
# change whole is left as it was.
# Run by scripts/windows-test, which provides the Wine prefix and its variables.
# Usage: windows-installer.sh SETUP_EXE
set -euo pipefail
setup=$1
wine=/usr/lib/wine/wine64
fail() { echo "FAIL: $*" >&2; exit 1; }
user_folder=$(echo "$WINEPREFIX"/drive_c/users/*/AppData | head -n1)
programs=$user_folder/Local/Programs/Orvalin
entry="$user_folder/Roaming/Microsoft/Windows/Start Menu/Programs/Orvalin.lnk"
settings='HKCU\Software\Kestrune\Orvalin'
query() { "$wine" reg query "$@" 2>/dev/null | tr -d '\r'; }
environment='HKCU\Environment'
user_path() { query "$environment" /v Path | sed -n 's/^ *Path \+\(REG_[A-Z_]*\) \+/\1 /p'; }
set_user_path() { "$wine" reg add "$environment" /v Path /t REG_EXPAND_SZ /d "$1" /f >/dev/null; }
trap '"$wine" reg delete "$environment" /v Path /f >/dev/null 2>&1' EXIT

long="C:\\$(printf 'x%.0s' {1..1100})"
set_user_path "$long"
"$wine" "$setup" /S
[[ $(user_path) == "REG_EXPAND_SZ $long" ]] || fail "a Path too long to change was changed"

before='%USERPROFILE%\bin;C:\Tools'
set_user_path "$before"
"$wine" reg add "$settings" /v Slider1 /d 77 /f >/dev/null
"$wine" "$setup" /S
[[ -f $programs/orvalin.exe && -f $programs/Qt6Widgets.dll ]] || fail "nothing in $programs"
[[ -f $programs/orvalin-convert.exe ]] || fail "no orvalin-convert.exe in $programs"
location=$(query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Orvalin' /v InstallLocation |
  sed -n 's/^ *InstallLocation \+REG_SZ \+//p')
[[ $(user_path) == "REG_EXPAND_SZ $before;$location" ]] ||
  fail "the Path is \"$(user_path)\", not the one before with $location added"
[[ -f $programs/plugins/platforms/qwindows.dll ]] || fail "no platform plugin installed"
[[ -f $entry ]] || fail "no Start-menu entry"
query 'HKCU\Software\Classes\.webp\OpenWithProgids' | grep -q 'Orvalin.webp' ||
  fail "no Open with entry for .webp"
query 'HKCU\Software\Classes\Orvalin.webp\shell\open\command' | grep -qF 'orvalin.exe" "%1"' ||
  fail "the Open with entry does not start the program with the file"
! query 'HKCU\Software\Classes\.webp' /ve | grep -q 'Orvalin' || fail "made the default for .webp"

# The uninstaller copies itself away and runs from there: wait for it to finish.
"$wine" "$programs/uninstall.exe" /S
timeout 60 bash -c "while [[ -e '$programs' ]]; do sleep 0.5; done" || fail "$programs is still there"
[[ ! -e $entry ]] || fail "the Start-menu entry is still there"
! query 'HKCU\Software\Classes\.webp\OpenWithProgids' | grep -q 'Orvalin' ||
  fail "the Open with entry is still there"
! query 'HKCU\Software\Classes\Orvalin.webp' >/dev/null || fail "the program id is still there"
query "$settings" | grep -Eq 'Slider1 +REG_SZ +77' || fail "the user's settings went with it"
[[ $(user_path) == "REG_EXPAND_SZ $before" ]] || fail "the Path is \"$(user_path)\" after uninstalling"
echo "installed, offered for .webp files, on the Path, uninstalled; the settings and Path stayed"
