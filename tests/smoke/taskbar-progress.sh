#!/usr/bin/env bash
# The taskbar's progress on Linux as a dock reads it: on a private session bus, dbus-monitor
# watches the launcher entry signals of a run that --convert-here starts on three files. The
# entry shows the share of the run rising to the whole, then no progress before the final
# message appears.
# Usage: taskbar-progress.sh PROGRAM SAMPLE_PICTURE
set -euo pipefail
program=$1
picture=$2
if [[ -z ${ORVALIN_PRIVATE_BUS:-} ]]; then
    ORVALIN_PRIVATE_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/pictures"
chmod 700 "$XDG_RUNTIME_DIR"
for name in a b c; do cp "$picture" "$work/pictures/$name.webp"; done

dbus-monitor --session "type='signal',interface='com.canonical.Unity.LauncherEntry'" \
    >"$work/signals" 2>&1 &
pids+=($!)
# dbus-monitor is listening once it has printed its own name's acquisition.
deadline=$((SECONDS + 15))
until grep -q NameAcquired "$work/signals"; do
    ((SECONDS < deadline)) || fail "dbus-monitor did not start"
    sleep 0.1
done

QT_QPA_PLATFORM=offscreen "$program" --convert-here "$work/pictures" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=($program_pid)
# The run ends on the final message, which waits for an answer: by then the progress is gone.
deadline=$((SECONDS + 60))
until grep -q 'boolean false' "$work/signals" && [[ -e $work/pictures/c.jpg ]]; do
    ((SECONDS < deadline)) || fail "no end of the progress: $(cat "$work/signals" "$work/program.log")"
    sleep 0.1
done
kill -TERM "$program_pid"
wait "$program_pid" || true

grep -q 'string "application://com.kestrune.Orvalin.desktop"' "$work/signals" ||
    fail "the signal does not name the program's entry"
shares=$(grep -A1 'string "progress"' "$work/signals" | grep -o 'double [0-9.]*' | cut -d' ' -f2 | paste -sd' ')
[[ $shares == "0.33 0.67 1 0 0" ]] ||
    fail "the shares shown were \"$shares\", not a third, two thirds, all, then none"
[[ $(grep -o 'boolean \(true\|false\)' "$work/signals" | paste -sd' ') == \
   "boolean true boolean true boolean true boolean true boolean false" ]] ||
    fail "the progress was not shown, then taken away: $(grep -o 'boolean [a-z]*' "$work/signals" | paste -sd' ')"
echo "taskbar progress checked: the launcher entry showed the run's share and then none"
