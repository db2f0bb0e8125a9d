#!/usr/bin/env bash
# The Windows program under Wine, as a user meets it:
# - started, it removes the working folder a killed run left;
# - started with two WebP files in a folder named in other scripts, it lists them; a second
#   start hands the window a third file whose path is over 260 characters long and ends;
# - "Start Converting" clicked, the three JPGs appear beside their sources (the save option is
#   set in the registry, where the program keeps its settings), and the settings read back;
# - while a long run works, the session ends (WM_QUERYENDSESSION, WM_ENDSESSION): the program
#   ends and leaves no working folder behind.
# Leaves a screenshot in the given folder.
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
temp_folders() { find "$WINEPREFIX"/drive_c/users/*/Temp -maxdepth 1 -name 'orvalin-run-*'; }

unicode="$work/Ünïcode пример"
long="$work/$(printf 'a%.0s' {1..90})/$(printf 'b%.0s' {1..90})/$(printf 'c%.0s' {1..90})"
mkdir -p "$unicode" "$long" "$work/big"
convert-im6.q16 -size 64x48 gradient:orange-navy "$work/small.png"
for webp in "$unicode/first.webp" "$unicode/second.webp" "$long/third.webp"; do
  cwebp -quiet "$work/small.png" -o "$webp"
done
(($(windows_path "$long/third.webp" | wc -c) > 260)) || fail "the long path is not long"
convert-im6.q16 -size 2000x1500 xc:gray +noise Random "$work/big.png"
cwebp -quiet "$work/big.png" -o "$work/big/0.webp"
for i in $(seq 1 39); do cp "$work/big/0.webp" "$work/big/$i.webp"; done

key='HKCU\Software\Kestrune\Orvalin'
"$wine" reg add "$key" /v Option1 /d False /f >/dev/null
"$wine" reg add "$key" /v Option2 /d True /f >/dev/null

# A working folder left by a run whose program was killed goes when the program starts.
killed=$(find "$WINEPREFIX"/drive_c/users/*/Temp -maxdepth 0 | head -n1)/orvalin-run-killed
mkdir -p "$killed"
: >"$killed/.lock"

"$wine" "$folder/orvalin.exe" "$(windows_path "$unicode/first.webp")" \
  "$(windows_path "$unicode/second.webp")" >"$work/program.log" 2>&1 &
program=$!

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1) ||
  fail "no window captioned Orvalin: $(cat "$work/program.log")"
[[ ! -e $killed ]] || fail "the folder of a killed run outlived the start"
timeout 60 "$wine" "$folder/orvalin.exe" "$(windows_path "$long/third.webp")" ||
  fail "a second start did not hand its path over"
sleep 2 # let the first paint settle before the picture is taken
import-im6.q16 -window root "$shots/windows-under-wine.png"

# "Start Converting": 120, 6600 twips from the corner of the controls' area below the menu bar,
# 7800 by 405 (15 twips a pixel at 96 DPI), clicked in its middle. The controls' area is 510
# pixels high: the rest of the client area is the menu bar.
eval "$(xdotool getwindowgeometry --shell "$window")"
menu_bar=$((HEIGHT - 510))
((menu_bar >= 16 && menu_bar <= 40)) || fail "the client area is ${WIDTH}x${HEIGHT}: no menu bar"
start_converting() { xdotool mousemove --window "$window" 268 $((453 + menu_bar)) click 1; }
start_converting
for jpg in "$unicode/first.jpg" "$unicode/second.jpg" "$long/third.jpg"; do
  timeout 60 bash -c "until [[ -s '$jpg' ]]; do sleep 0.2; done" || fail "no $jpg"
  [[ $(identify-im6.q16 -format '%m %wx%h' "$jpg") == "JPEG 64x48" ]] || fail "$jpg is no 64x48 JPEG"
done

settings=$("$wine" reg query "$key" 2>/dev/null | tr -d '\r')
grep -Eq 'Option2 +REG_SZ +True' <<<"$settings" || fail "the registry holds: $settings"
grep -Eq 'Slider1 +REG_SZ' <<<"$settings" || fail "the quality was not stored: $settings"

# The final message answered, forty large files are handed over and converted; the session
# ends while the run works.
sleep 1
xdotool key Return
bigs=()
for i in $(seq 0 39); do bigs+=("$(windows_path "$work/big/$i.webp")"); done
timeout 60 "$wine" "$folder/orvalin.exe" "${bigs[@]}" || fail "the large files were not handed over"
sleep 1
start_converting
timeout 60 bash -c "until [[ -n \$(find '$WINEPREFIX'/drive_c/users/*/Temp -maxdepth 1 \
  -name 'orvalin-run-*') ]]; do sleep 0.1; done" || fail "the run did not begin"
[[ ! -e $work/big/39.jpg ]] || fail "the run ended before the session did"
"$wine" wineboot --end-session --force >/dev/null 2>&1 || true
timeout 60 tail --pid="$program" -f /dev/null || fail "the program outlived its session"
[[ -z $(temp_folders) ]] || fail "the run's working folder outlived the session: $(temp_folders)"
[[ ! -e $work/big/39.jpg ]] || fail "the run went on to the end"
echo "converted three files under Wine, one handed over by a second start, one by a path over" \
  "260 characters; settings in the registry; the session's end left nothing behind"
