#!/usr/bin/env bash
# The Windows installer under Wine, run silently as a user would run it by hand: it installs
# into the user's programs folder with a Start-menu entry and an "Open with" entry for .webp
# files, without making the program the default for them; its uninstaller takes all of that
# away again and leaves the user's settings alone.
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

"$wine" reg add "$settings" /v Slider1 /d 77 /f >/dev/null
"$wine" "$setup" /S
[[ -f $programs/orvalin.exe && -f $programs/Qt6Widgets.dll ]] || fail "nothing in $programs"
[[ -f $programs/orvalin-convert.exe ]] || fail "no orvalin-convert.exe in $programs"
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
echo "installed, offered for .webp files, uninstalled; the settings stayed"
