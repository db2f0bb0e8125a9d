#!/usr/bin/env bash
# The Windows program under Wine in German, the language stored in the registry as a user's
# choice: its message boxes carry its German texts and Qt's German buttons, from the Qt
# translations in the program folder. A Windows message box copies its title, text and buttons
# on Ctrl+C: the test reads them back from the clipboard. Leaves a screenshot of a question box
# over the German window.
# Run by scripts/windows-test, which provides Xvfb, the Wine prefix and its variables.
# Usage: windows-language.sh PROGRAM_FOLDER SCREENSHOT_FOLDER
set -euo pipefail
folder=$1
shots=$2
wine=/usr/lib/wine/wine64
key='HKCU\Software\Kestrune\Orvalin'
mkdir -p "$shots"
log=$(mktemp)
trap '"$wine" reg delete "$key" /v Language /f >/dev/null 2>&1; rm -f "$log"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Waits until COUNT windows are captioned Orvalin: the main window, and a message box over it.
windows_come_to() { # COUNT
  timeout 30 bash -c "until (( \$(xdotool search --onlyvisible --name '^Orvalin\$' | wc -l) == $1 ));
    do sleep 0.2; done"
}

"$wine" reg add "$key" /v Language /d de /f >/dev/null
"$wine" "$folder/orvalin.exe" >"$log" 2>&1 &
program=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1) ||
  fail "no window captioned Orvalin: $(cat "$log")"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"
menu_bar=$((HEIGHT - 510)) # the controls' area is 510 pixels high, as in windows-under-wine.sh

# Clicks the button at the middle of X, Y (pixels of the controls' area), waits for the box it
# opens, and prints what the box copies.
box_after_click() { # X Y
  xdotool mousemove --window "$window" "$1" $(($2 + menu_bar)) click 1
  windows_come_to 2 || fail "no message box after a click at $1, $2"
  copied_text || fail "the message box copied nothing"
}
# What the message box in front copies on Ctrl+C: its lines of dashes, title, text and buttons.
copied_text() {
  local text
  printf 'nothing yet' | xclip -selection clipboard
  for _ in $(seq 40); do
    xdotool key ctrl+c
    text=$(xclip -o -selection clipboard 2>/dev/null) || true
    [[ $text == ---* ]] && echo "$text" && return 0
    sleep 0.25
  done
  return 1
}

# "Start Converting" with no files: the program's own text.
copied=$(box_after_click 268 453)
grep -qF 'Keine Dateien hinzugefügt.' <<<"$copied" || fail "not the German message: $copied"
xdotool key Return
windows_come_to 1 || fail "the message did not close"
# "Load Sample/Example Files" asks whether to open the folder: Qt's buttons.
copied=$(box_after_click 400 231)
grep -q '^&Ja *&Nein *$' <<<"$copied" || fail "not Qt's German buttons: $copied"
import-im6.q16 -window root -crop "${WIDTH}x$HEIGHT+$X+$Y" "$shots/windows-german.png"
xdotool key Escape
windows_come_to 1 || fail "the question did not close"
"$wine" taskkill /im orvalin.exe >/dev/null 2>&1 || true
timeout 30 tail --pid="$program" -f /dev/null || fail "the program did not end when closed"
echo "German under Wine: the program's message and Qt's Ja/Nein"
