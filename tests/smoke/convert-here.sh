#!/usr/bin/env bash
# "Convert to JPG" as the file managers run it, in a real X server with a window manager: the
# Exec line of the menu entry's action, of Dolphin's service menu and of Nemo's action, each run
# with three files as the file manager would, converts them beside their sources in one window
# with one final message; and three starts of one file each, as Explorer makes, give one window,
# one run and one final message. The stored save option stays "this folder".
# Usage: convert-here.sh PROGRAM PACKAGING_FOLDER SAMPLE_PICTURE
set -euo pipefail
program=$1
packaging=$2
picture=$3

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
wait_for() {
    local seconds=$1; shift
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME/Desktop" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
pids+=($!)
wait_for 15 test -s "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$work/display")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_for 15 wmctrl -m || fail "the window manager did not start"

windows() { xdotool search --onlyvisible --name '^Orvalin$' 2>/dev/null || true; }

# Waits for the final message over the one main window, checks it, closes it and the window,
# and waits for the program to end.
finish_run() { # PID WHAT
    local pid=$1 what=$2 deadline=$((SECONDS + 60)) main box
    main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Orvalin$' | head -n1) ||
        fail "$what: no window: $(cat "$work/program.log")"
    until (($(windows | wc -l) >= 2)); do
        ((SECONDS < deadline)) || fail "$what: no final message; windows: $(windows | wc -l)"
        sleep 0.1
    done
    (($(windows | wc -l) == 2)) || fail "$what: $(windows | wc -l) windows"
    box=$(windows | grep -vx "$main" | head -n1)
    xdotool windowactivate --sync "$box" key --clearmodifiers Return
    wait_for 15 bash -c "! xdotool search --onlyvisible --name '^Orvalin\$' | grep -qx $box" ||
        fail "$what: the final message did not close"
    (($(windows | wc -l) == 1)) || fail "$what: more than one window"
    wmctrl -i -c "$(windows | head -n1)"
    timeout 15 tail --pid="$pid" -f /dev/null || fail "$what: the program did not end"
}

# Three WebP files in a folder of their own, with names a shell would split.
three_files() { # FOLDER
    mkdir -p "$1"
    for name in "one.webp" "two words.webp" "thrée.webp"; do cp "$picture" "$1/$name"; done
}
check_beside() { # FOLDER WHAT
    for name in "one" "two words" "thrée"; do
        [[ $(identify-im6.q16 -format %m "$1/$name.jpg" 2>/dev/null) == JPEG ]] ||
            fail "$2: $1/$name.jpg was not written beside its source"
    done
    [[ -z $(ls -A "$HOME/Desktop") ]] || fail "$2: results went to the output folder"
}

# The Exec line of a file's action, as its file manager runs it: %F becomes the files.
exec_line() { # FILE
    grep -m1 '^Exec=.*--convert-here' "$1" | cut -d= -f2-
}
for entry in "$packaging/com.kestrune.Orvalin.desktop" \
    "$packaging/kio/com.kestrune.Orvalin.convert-to-jpg.desktop" \
    "$packaging/nemo/com.kestrune.Orvalin.convert-to-jpg.nemo_action"; do
    line=$(exec_line "$entry")
    [[ $line == "orvalin --convert-here %F" ]] || fail "$entry runs \"$line\""
    folder=$work/$(basename "$entry")
    three_files "$folder"
    read -r -a words <<<"$line"
    arguments=()
    for word in "${words[@]:1}"; do
        if [[ $word == %F ]]; then arguments+=("$folder"/*.webp); else arguments+=("$word"); fi
    done
    "$program" "${arguments[@]}" >"$work/program.log" 2>&1 &
    pid=$!
    pids+=($pid)
    finish_run "$pid" "$(basename "$entry")"
    check_beside "$folder" "$(basename "$entry")"
done

# Explorer's way: one start per file, close together.
folder=$work/one-start-each
three_files "$folder"
helpers=()
for file in "$folder"/*.webp; do
    "$program" --convert-here "$file" >>"$work/program.log" 2>&1 &
    helpers+=($!)
    pids+=($!)
done
# Two of them hand their file over and end; one gathers them all and converts.
alive() { for pid in "${helpers[@]}"; do if kill -0 "$pid" 2>/dev/null; then echo "$pid"; fi; done; }
deadline=$((SECONDS + 30))
until (($(alive | wc -l) <= 1)); do
    ((SECONDS < deadline)) || fail "the starts did not end: $(alive | wc -l) left"
    sleep 0.1
done
gatherer=$(alive)
[[ -n $gatherer ]] || fail "no start kept a window open"
for pid in "${helpers[@]}"; do
    [[ $pid == "$gatherer" ]] || wait "$pid" || fail "a start that handed its file over ended with $?"
done
finish_run "$gatherer" "one start per file"
check_beside "$folder" "one start per file"
grep -q '^Option1=true' "$XDG_CONFIG_HOME/Kestrune.conf" 2>/dev/null ||
    ! grep -q '^Option1=' "$XDG_CONFIG_HOME/Kestrune.conf" 2>/dev/null ||
    fail "the stored save option changed"
echo "convert-here checked: the three file managers' actions and one start per file"
