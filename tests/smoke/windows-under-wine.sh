#!/usr/bin/env bash
# The Windows program under Wine, as a user meets it: started with two WebP files, it lists
# them; "Start Converting" clicked, their JPGs appear beside them (the save option is set in the
# registry, where the program keeps its settings); the settings read back from the registry;
# closed, it ends cleanly. Leaves a screenshot in the given folder.
# Run by scripts/windows-test, which provides Xvfb, the Wine prefix and its variables.
# Usage: windows-under-wine.sh PROGRAM_FOLDER SCREENSHOT_FOLDER
set -euo pipefail
folder=$1
shots=$2
wine=/usr/lib/wine/wine64
mkdir -p "$shots"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
windows_path() { echo "Z:${1//\//\\}"; }

mkdir -p "$work/Ünïcode пример"
for name in first second; do
  convert-im6.q16 -size 64x48 gradient:orange-navy "$work/$name.png"
  cwebp -quiet "$work/$name.png" -o "$work/Ünïcode пример/$name.webp"
done

key='HKCU\Software\Kestrune\Orvalin'
"$wine" reg add "$key" /v Option1 /d False /f >/dev/null
"$wine" reg add "$key" /v Option2 /d True /f >/dev/null

"$wine" "$folder/orvalin.exe" "$(windows_path "$work/Ünïcode пример/first.webp")" \
  "$(windows_path "$work/Ünïcode пример/second.webp")" >"$work/program.log" 2>&1 &
program=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1) ||
  fail "no window captioned Orvalin: $(cat "$work/program.log")"
sleep 2 # let the first paint settle before the picture is taken
import-im6.q16 -window root "$shots/windows-under-wine.png"

# "Start Converting": 120, 6600 twips from the client area's corner, 7800 by 405 (15 twips a
# pixel at 96 DPI), clicked in its middle.
xdotool mousemove --window "$window" 268 453 click 1
for name in first second; do
  jpg="$work/Ünïcode пример/$name.jpg"
  timeout 60 bash -c "until [[ -s '$jpg' ]]; do sleep 0.2; done" || fail "no $name.jpg"
  [[ $(identify-im6.q16 -format '%m %wx%h' "$jpg") == "JPEG 64x48" ]] || fail "$name.jpg is no 64x48 JPEG"
done

settings=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
grep -Eq 'Option2 +REG_SZ +True' <<<"$settings" || fail "the registry holds: $settings"
grep -Eq 'Slider1 +REG_SZ' <<<"$settings" || fail "the quality was not stored: $settings"

# The final message, then the window: closed as Windows closes programs, by message.
"$wine" taskkill /im orvalin.exe >/dev/null 2>&1 || true
sleep 1
"$wine" taskkill /im orvalin.exe >/dev/null 2>&1 || true
timeout 30 tail --pid="$program" -f /dev/null || fail "the program did not end"
echo "converted two files under Wine; settings in the registry"
