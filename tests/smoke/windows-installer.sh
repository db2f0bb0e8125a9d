#!/usr/bin/env bash
# The Windows installer under Wine, run silently as a user would run it by hand: it installs
# into the user's programs folder with a Start-menu entry, an "Open with" entry and a "Convert to
# JPG" verb for .webp files, without making the program the default for them, and adds its
# folder to the user's Path, of the type the Path had; its uninstaller takes all of that away
# again and leaves the user's settings and the Path's other entries alone. A Path too long for
# the installer to change whole is left as it was. The verb's command, run as Explorer runs it
# for three files selected, converts them beside their sources in one window with one final
# message.
# Run by scripts/windows-test, which provides Xvfb, the Wine prefix and its variables.
# Usage: windows-installer.sh SETUP_EXE
set -euo pipefail
setup=$1
top=$(cd "$(dirname "$0")/../.." && pwd)
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
work=$(mktemp -d)
trap '"$wine" reg delete "$environment" /v Path /f >/dev/null 2>&1; rm -rf "$work"' EXIT
verb='HKCU\Software\Classes\SystemFileAssociations\.webp\shell\Orvalin.ConvertToJPG'
value() { query "$1" "${@:2}" | sed -n 's/^ *[^ ].* \+REG_SZ \+//p'; } # KEY /v NAME or /ve

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
# The licence and the notices of every library shipped, Qt's source named among them.
cmp -s <(tr -d '\r' <"$programs/LICENSE.txt") "$top/LICENSE" || fail "LICENSE.txt is not the licence"
grep -q "apt-get source qt6-base=" "$programs/THIRD-PARTY-NOTICES.txt" ||
  fail "THIRD-PARTY-NOTICES.txt does not say where Qt's source is"
grep -q "GCC RUNTIME LIBRARY EXCEPTION" "$programs/THIRD-PARTY-NOTICES.txt" ||
  fail "THIRD-PARTY-NOTICES.txt lacks the GCC runtime's exception"
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

[[ $(value "$verb" /ve) == "Convert to JPG" ]] || fail "no verb \"Convert to JPG\" for .webp files"
[[ $(value "$verb" /v Icon) == "$location\orvalin.exe" ]] || fail "the verb has no icon"
command=$(value "$verb\command" /ve)
[[ $command == "\"$location\orvalin.exe\" --convert-here \"%1\"" ]] ||
  fail "the verb runs \"$command\""

# Explorer runs the verb's command once for each file selected, the three close together: %1
# becomes the file's path, and the line splits into arguments as Windows splits it. Wine's
# taskbar object is left out (explorerframe.dll), as on a Windows whose shell has none: the
# taskbar's progress fails to start and the run goes on.
windows() { xdotool search --onlyvisible --name '^Orvalin$' 2>/dev/null || true; }
run_verb() { # FILE
  local placeholder='%1' line words
  line=${command//"$placeholder"/"Z:${1//\//\\}"}
  mapfile -t words < <(grep -oE '"[^"]*"|[^" ]+' <<<"$line" | sed -E 's/^"(.*)"$/\1/')
  WINEDLLOVERRIDES="$WINEDLLOVERRIDES;explorerframe=d" "$wine" "${words[@]}"
}
convert-im6.q16 -size 64x48 gradient:orange-navy "$work/small.png"
names=("one" "two words" "thrée")
for name in "${names[@]}"; do cwebp -quiet "$work/small.png" -o "$work/$name.webp"; done
# The stored save option is "this folder" (the output folder, the desktop), and stays so.
"$wine" reg add "$settings" /v Option1 /d True /f >/dev/null
"$wine" reg add "$settings" /v Option2 /d False /f >/dev/null
stored() { query "$settings" | grep -E '^ *Option[12] ' || true; }
options_before=$(stored)
starts=()
for name in "${names[@]}"; do
  run_verb "$work/$name.webp" >>"$work/program.log" 2>&1 &
  starts+=($!)
done
# Two of them hand their file over and end; one gathers all three, converts them and tells so.
alive() { for start in "${starts[@]}"; do if kill -0 "$start" 2>/dev/null; then echo "$start"; fi; done; }
within() { # SECONDS CONDITION...: true once the condition holds, false when it never did
  local deadline=$((SECONDS + $1))
  until "${@:2}"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.2
  done
}
within 60 eval '(($(alive | wc -l) <= 1))' || fail "the starts of the verb did not end"
gatherer=$(alive)
[[ -n $gatherer ]] || fail "no start of the verb kept a window open: $(cat "$work/program.log")"
for start in "${starts[@]}"; do
  [[ $start == "$gatherer" ]] || wait "$start" || fail "a start that handed its file over ended with $?"
done
within 60 eval '(($(windows | wc -l) >= 2))' || fail "no final message: $(windows | wc -l) windows"
(($(windows | wc -l) == 2)) || fail "$(windows | wc -l) windows, not one and its final message"
for name in "${names[@]}"; do
  [[ $(identify-im6.q16 -format '%m %wx%h' "$work/$name.jpg") == "JPEG 64x48" ]] ||
    fail "$name.jpg was not written beside its source"
  [[ ! -e $user_folder/../Desktop/$name.jpg ]] || fail "$name.jpg went to the output folder"
done
xdotool key Return
within 15 eval '(($(windows | wc -l) == 1))' || fail "the final message did not close"
"$wine" taskkill /im orvalin.exe >/dev/null 2>&1 || true
timeout 30 tail --pid="$gatherer" -f /dev/null || fail "the window did not close"
wait "$gatherer" || fail "the window ended with status $?"
[[ $(stored) == "$options_before" ]] || fail "the stored save option changed: $(stored)"

# The uninstaller copies itself away and runs from there: wait for it to finish.
"$wine" "$programs/uninstall.exe" /S
timeout 60 bash -c "while [[ -e '$programs' ]]; do sleep 0.5; done" || fail "$programs is still there"
[[ ! -e $entry ]] || fail "the Start-menu entry is still there"
! query 'HKCU\Software\Classes\.webp\OpenWithProgids' | grep -q 'Orvalin' ||
  fail "the Open with entry is still there"
! query 'HKCU\Software\Classes\Orvalin.webp' >/dev/null || fail "the program id is still there"
! query 'HKCU\Software\Classes\SystemFileAssociations\.webp' >/dev/null ||
  fail "the verb is still there"
query "$settings" | grep -Eq 'Slider1 +REG_SZ +77' || fail "the user's settings went with it"
[[ $(user_path) == "REG_EXPAND_SZ $before" ]] || fail "the Path is \"$(user_path)\" after uninstalling"
echo "installed, offered for .webp files, converting them from the verb, on the Path," \
  "uninstalled; the settings and Path stayed"
