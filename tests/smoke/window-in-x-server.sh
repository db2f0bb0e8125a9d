#!/usr/bin/env bash
# Starts the real program, copied into a folder of its own, in a real X server with a window
# manager, checks that it removed a killed run's working folder, finds its window by the
# caption "Orvalin", checks its size, place and fixed border,
# takes a screenshot into the given folder, closes the window as a user would, and checks that
# the program ends cleanly having stored its first settings.
# Then starts it again with the example skin beside it, takes a second screenshot, ends it with
# SIGTERM and checks its exit status, and drags a row of the list to another place with the real
# pointer in a window of a probe program.
# Usage: window-in-x-server.sh PROGRAM SCREENSHOT_FOLDER EXAMPLE_SKIN_FOLDER LIST_DRAG_PROBE
set -euo pipefail
program=$1
shots=$2
skin=$3
drag_probe=$4
mkdir -p "$shots"

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Wait until a command succeeds, for at most the given seconds.
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# A home of its own, so the program's settings never touch the user's.
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

screen_w=1280 screen_h=1024
Xvfb -displayfd 3 -screen 0 ${screen_w}x${screen_h}x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 15 test -s "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=:$(head -n1 "$work/display")

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 15 wmctrl -m || fail "the window manager did not start"

# A working folder left by a run whose program was killed goes when the program starts.
export TEMP=$work/temp
mkdir -p "$TEMP/orvalin-run-killed"
: >"$TEMP/orvalin-run-killed/.lock"
: >"$TEMP/orvalin-run-killed/convert-worker"

# The program carries what it needs inside itself, so a copy runs from any folder.
mkdir -p "$work/copied"
cp "$program" "$work/copied/orvalin"
(cd "$work" && exec "$work/copied/orvalin") >"$work/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)

window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1) ||
    fail "no visible window captioned Orvalin: $(cat "$work/program.log")"
[[ ! -e $TEMP/orvalin-run-killed ]] || fail "the folder of a killed run outlived the start"

eval "$(xdotool getwindowgeometry --shell "$window")"
# The controls' 536x510, and the menu bar above them.
bar=$((HEIGHT - 510))
[[ $WIDTH == 536 ]] && ((bar >= 16 && bar <= 40)) ||
    fail "client area is ${WIDTH}x${HEIGHT}, expected 536x510 and a menu bar's height"
centre_x=$((X + WIDTH / 2)) centre_y=$((Y + HEIGHT / 2))
((centre_x > screen_w / 2 - 40 && centre_x < screen_w / 2 + 40 &&
  centre_y > screen_h / 2 - 40 && centre_y < screen_h / 2 + 40)) ||
    fail "window at $X,$Y is not centred"

hints=$(xprop -id "$window" WM_NORMAL_HINTS)
grep -q "minimum size: 536 by $HEIGHT" <<<"$hints" && grep -q "maximum size: 536 by $HEIGHT" <<<"$hints" ||
    fail "the border is not fixed: $hints"
actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q MAXIMIZE <<<"$actions" && fail "the window can be maximized: $actions"

# Wait until the window has been painted: a painted window shows far more than a few colours.
painted() {
    import-im6.q16 -window "$window" "$work/window.png" &&
        (($(identify-im6.q16 -format '%k' "$work/window.png") > 50))
}
wait_for 20 painted || fail "the window was never painted"
import-im6.q16 -window root "$shots/main-window-screen.png"
cp "$work/window.png" "$shots/main-window.png"

wmctrl -i -c "$window"
status=0
timeout 15 tail --pid="$program_pid" -f /dev/null || fail "the program did not end after its window closed"
wait "$program_pid" || status=$?
((status == 0)) || fail "the program ended with status $status: $(cat "$work/program.log")"
# The first start stored the output folder in the user's native settings file.
store=$XDG_CONFIG_HOME/Kestrune.conf
grep -qx '\[Orvalin\]' "$store" && grep -qxF "Text1=$HOME/Desktop/" "$store" ||
    fail "the settings were not stored in $store: $(cat "$store" 2>&1)"
# The example skin beside the program dresses the window from its first showing.
cp -r "$skin/x" "$work/copied/"
(cd "$work" && exec "$work/copied/orvalin") >"$work/program-skinned.log" 2>&1 &
skinned_pid=$!
pids+=($skinned_pid)
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1) ||
    fail "no skinned window: $(cat "$work/program-skinned.log")"
wait_for 20 painted || fail "the skinned window was never painted"
corner=$(convert-im6.q16 "$work/window.png" -format '%[pixel:p{2,2}]' info:)
[[ $corner != "white" && $corner != "srgb(255,255,255)" ]] || fail "the skin did not dress the window"
cp "$work/window.png" "$shots/main-window-skinned.png"
# SIGTERM, as at logout, closes the window and ends the program with 128 + 15. A program the
# signal killed outright would give the same status but leave its socket behind.
socket=$XDG_RUNTIME_DIR/orvalin.socket
[[ -S $socket ]] || fail "the window does not listen on $socket"
kill -TERM "$skinned_pid"
timeout 15 tail --pid="$skinned_pid" -f /dev/null || fail "the skinned program did not end on SIGTERM"
status=0
wait "$skinned_pid" || status=$?
((status == 128 + 15)) || fail "the program ended with status $status on SIGTERM: $(cat "$work/program-skinned.log")"
[[ ! -e $socket ]] || fail "the program did not clean up on SIGTERM: $socket is left"

# A row dragged with the real pointer, through the X server: A over B, C and D.
mkfifo "$work/probe-in"
"$drag_probe" <"$work/probe-in" >"$work/probe-out" 2>"$work/probe-err" &
probe_pid=$!
pids+=($probe_pid)
exec 7>"$work/probe-in"
wait_for 30 grep -q '^ROW 5 ' "$work/probe-out" || fail "the drag probe did not start: $(cat "$work/probe-err")"
window=$(xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1)
row() { awk -v n="$1" '$1 == "ROW" && $2 == n { print $3, $4 }' "$work/probe-out"; }
xdotool mousemove --window "$window" $(row 1) mousedown 1
# Each move waits until the window has made its exchange, so no two moves arrive together.
for step in "2 BACDE" "3 BCADE" "4 BCDAE"; do
    set -- $step
    xdotool mousemove --window "$window" $(row "$1")
    wait_for 15 grep -qx "ORDER $2" "$work/probe-out" ||
        fail "dragging row A over row $1 gave $(grep ORDER "$work/probe-out" | tail -n1), expected ORDER $2"
done
xdotool mouseup 1
echo done >&7
timeout 15 tail --pid="$probe_pid" -f /dev/null || fail "the drag probe did not end"
[[ $(grep -c '^ORDER' "$work/probe-out") -eq 3 ]] || fail "unexpected exchanges: $(grep ORDER "$work/probe-out")"

echo "window found, checked and closed; settings stored; skin shown; SIGTERM handled; row dragged; screenshots in $shots"
