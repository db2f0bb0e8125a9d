#!/usr/bin/env bash
# orvalin-convert as scripts run it: the real program on real files, with no display. Its
# options and exit statuses, the --json lines, names that only NUL-separated lists carry,
# shards run at once and their balance, a run stopped by SIGTERM and resumed, and the README's
# examples of sharding under GNU parallel, Slurm and Kubernetes.
# Usage: orvalin-convert.sh PROGRAM
set -u
program=$(realpath -- "$1")
[[ -x $program ]] || { echo "missing program: $program" >&2; exit 1; }
for tool in cwebp jq parallel identify-im6.q16 convert-im6.q16; do
    command -v "$tool" >/dev/null ||
        { echo "missing program: $tool (apt packages webp, jq, parallel, imagemagick)" >&2; exit 1; }
done
unset DISPLAY WAYLAND_DISPLAY
scratch=$(mktemp -d)
# The window's settings live here; the console program must never make or read them.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config
mkdir -p "$XDG_CONFIG_HOME"
trap 'chmod -R u+rwx "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
# Each run's working folder goes in here, so a test can see that none is left behind.
export TEMP=$scratch/temp
mkdir "$TEMP"
cd "$scratch" || exit 1

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
check() { # DESCRIPTION COMMAND...: the command must succeed
    local description=$1
    shift
    "$@" || fail "$description"
}
# run ARGUMENTS...: runs the program; its status in $status, its streams in stdout.txt and
# stderr.txt.
run() {
    "$program" "$@" >stdout.txt 2>stderr.txt
    status=$?
}
expect_status() { # WANTED DESCRIPTION
    [[ $status == "$1" ]] || fail "$2: exit status $status, not $1 ($(head -c 300 stderr.txt))"
}
is_jpeg() { [[ $(head -c 3 "$1" | od -An -tx1 | tr -d ' ') == ffd8ff ]]; }
no_work_folder_left() { [[ -z $(ls -A "$TEMP") ]]; }

# Pictures: a small lossy one, copied under many names.
convert-im6.q16 -size 96x64 gradient:orange-navy picture.png
cwebp -quiet -q 80 picture.png -o picture.webp

check "links Qt Core and no display library" \
    bash -c "! ldd '$program' | grep -Eq 'Qt6Gui|Qt6Widgets|libX11|wayland'"

# Usage errors: status 2, naming the option, nothing converted.
while IFS='|' read -r arguments named; do
    eval "run $arguments"
    expect_status 2 "$arguments"
    grep -qF -- "$named" stderr.txt || fail "$arguments: the message does not name $named: $(cat stderr.txt)"
done <<'TABLE'
--quality 0 picture.webp|--quality
--quality=101 picture.webp|--quality
--quality high picture.webp|--quality
--if-exists sometimes picture.webp|--if-exists
--metadata none picture.webp|--metadata
--fit 15 picture.webp|--fit
--jobs 0 picture.webp|--jobs
--shard 3/2 picture.webp|--shard
--shard 0/2 picture.webp|--shard
--keep-subfolders picture.webp|--keep-subfolders
--null picture.webp|--null
--json=yes picture.webp|--json
--output|--output
--colour picture.webp|--colour
|no file or folder
TABLE
check "a usage error converts nothing" test ! -e picture.jpg

# The run cannot start: status 3.
run --output no-such-folder picture.webp
expect_status 3 "a missing output folder"
TEMP=$scratch/no-such-temp run picture.webp
expect_status 3 "no working folder for the converter"
check "no result when the run cannot start" test ! -e picture.jpg

# A tree of good and bad input: every file gets its line, the bad ones their reasons.
mkdir -p tree/sub/deeper out
for name in a b; do cp picture.webp "tree/$name.webp"; done
cp picture.webp tree/sub/deeper/c.webp
cp picture.webp tree/.hidden.webp
echo "not a picture" >tree/sub/fake.webp
cp picture.webp "$(printf 'tree/bad\xffname.webp')"
mkfifo fifo.webp
run --json --output out --keep-subfolders --keep-dates --fit 48 --metadata no-location \
    --quality 70 tree missing.webp fifo.webp
expect_status 1 "a tree with bad files"
check "one JSON line a file" test "$(jq -s length stdout.txt)" == 7
reason_of() { jq -r --arg s "$scratch/$1" 'select(.source == $s) | .result + " / " + (.reason // "")' stdout.txt; }
check "converted, into the kept tree" test "$(reason_of tree/sub/deeper/c.webp)" == "converted / "
check "kept tree" is_jpeg out/tree/sub/deeper/c.jpg
check "not WebP" test "$(reason_of tree/sub/fake.webp)" == "skipped-not-webp / not a WebP file"
check "missing" test "$(reason_of missing.webp)" == "not-converted / no such file or folder"
check "a FIFO" test "$(reason_of fifo.webp)" == "not-converted / not a regular file"
check "a name that is not UTF-8" \
    test "$(jq -r 'select(.reason == "the name is not valid UTF-8") | .result' stdout.txt)" == not-converted
check "hidden files are left out as the window leaves them" test ! -e out/tree/.hidden.jpg
check "sizes in bytes" test "$(jq -r 'select(.source | endswith("/a.webp")) | .bytes_in' stdout.txt)" \
    == "$(stat -c %s tree/a.webp)"
check "bytes_out is the JPG's size" \
    test "$(jq -r 'select(.source | endswith("/a.webp")) | .bytes_out' stdout.txt)" == "$(stat -c %s out/tree/a.jpg)"
check "fit within 48" test "$(identify-im6.q16 -format %wx%h out/tree/a.jpg)" == 48x32
check "the source's dates" test "$(stat -c %Y out/tree/a.jpg)" == "$(stat -c %Y tree/a.webp)"
for line in "missing.webp: no such file or folder" "fake.webp: not a WebP file" \
    "3 converted, 1 skipped, 3 not converted, 0 not saved"; do
    grep -qF "$line" stderr.txt || fail "standard error lacks \"$line\": $(cat stderr.txt)"
done
check "no working folder left" no_work_folder_left

# An output folder that fills up: the files that fit are whole, the rest are not saved, with
# the reason. A small tmpfs needs root; a folder that cannot be read needs anyone else.
mkdir small
if [[ $(id -u) == 0 ]] && mount -t tmpfs -o size=400k tmpfs small 2>/dev/null; then
    convert-im6.q16 -size 400x300 plasma:fractal noisy.png
    cwebp -quiet -q 95 noisy.png -o noisy.webp
    mkdir noisy
    for i in $(seq 8); do cp noisy.webp "noisy/$i.webp"; done
    run --json --quality 100 --output small noisy
    expect_status 1 "a full output folder"
    check "some saved before it filled up" test "$(jq -s 'map(select(.result == "converted")) | length' stdout.txt)" -ge 1
    check "the rest not saved, for want of space" \
        test "$(jq -r 'select(.result == "not-saved") | .reason' stdout.txt | sort -u)" == "No space left on device"
    for jpg in small/*; do check "$jpg is whole" identify-im6.q16 -regard-warnings "$jpg" >/dev/null 2>&1; done
    check "nothing but results in it" test "$(ls -A small | grep -vc '\.jpg$')" == 0
    umount small
elif [[ $(id -u) != 0 ]]; then
    mkdir -p locked/inner && cp picture.webp locked/inner/x.webp && chmod 000 locked
    run locked
    expect_status 1 "a folder that cannot be read"
    check "a folder that cannot be read is named" grep -qF "locked: the folder cannot be read" stderr.txt
    chmod 755 locked
fi

# Names that only a NUL-separated list carries, and existing JPGs kept or skipped.
mkdir names
cp picture.webp "names/two"$'\n'"lines.webp"
cp picture.webp "names/-dash.webp"
printf '%s\0' names/* | "$program" -0 --files-from - --json >stdout.txt 2>stderr.txt
status=$?
expect_status 0 "NUL-separated names"
check "a name with a line break" is_jpeg "names/two"$'\n'"lines.jpg"
check "its JSON line" grep -qF 'two\nlines.webp' stdout.txt
cp names/-dash.jpg kept.jpg
run --if-exists keep-both --json -- names/-dash.webp
expect_status 0 "keep both"
check "keep both numbers the new one" is_jpeg "names/-dash (1).jpg"
check "and keeps the old one" cmp -s kept.jpg names/-dash.jpg
run --if-exists skip --json names/-dash.webp
expect_status 0 "a skipped file is no failure"
check "skipped-exists" test "$(jq -r .result stdout.txt)" == skipped-exists
run --dry-run --if-exists keep-both names/-dash.webp
check "a dry run names the free name" grep -qF -- "-> $scratch/names/-dash (2).jpg" stdout.txt
check "and converts nothing" test ! -e "names/-dash (2).jpg"

# Shards: 1000 names split evenly whichever folder lists them; four shards run at once over
# 40 files convert each exactly once.
mkdir many
for i in $(seq 1000); do : >"many/$i.webp"; done
ln -s many elsewhere
for k in 1 2 3 4; do
    "$program" --dry-run --shard "$k/4" many | sed "s|^$scratch/many/||; s| .*||" | sort >"shard$k"
    "$program" --dry-run --shard "$k/4" elsewhere | sed "s|^$scratch/elsewhere/||; s| .*||" |
        sort >"again$k"
    check "shard $k is the same from another path" cmp -s "shard$k" "again$k"
    check "shard $k holds 250 of 1000" test "$(wc -l <"shard$k")" == 250
done
check "every one of 1000 in one shard" test "$(sort -u shard? | wc -l)" == 1000
rm -rf many elsewhere
mkdir forty forty-out
for i in $(seq 40); do cp picture.webp "forty/$i.webp"; done
for k in 1 2 3 4; do
    "$program" --shard "$k/4" --jobs 1 --json --output forty-out forty >"forty$k.json" 2>/dev/null &
done
wait
check "40 files converted by four shards" \
    test "$(jq -r 'select(.result == "converted") | .source' forty?.json | sort -u | wc -l)" == 40
check "none twice" test "$(cat forty?.json | wc -l)" == 40
check "40 results" test "$(ls forty-out | wc -l)" == 40

# The README's examples of "Many machines", each job on this machine: GNU parallel's, a Slurm
# array's tasks (numbered from 1) and a Kubernetes Indexed Job's pods (numbered from 0).
mkdir parallel-out slurm-out kubernetes-out
parallel -S : --halt now,fail=1 "$program" --quiet --if-exists skip \
    --shard {}/4 --output "$scratch/parallel-out" "$scratch/forty" ::: 1 2 3 4
check "GNU parallel's shards convert everything" test "$(ls parallel-out | wc -l)" == 40
for SLURM_ARRAY_TASK_ID in $(seq 1 8); do
    "$program" --quiet --if-exists skip --shard "$SLURM_ARRAY_TASK_ID/8" \
        --output slurm-out forty
done
check "a Slurm array's tasks convert everything" test "$(ls slurm-out | wc -l)" == 40
for index in $(seq 0 7); do
    JOB_COMPLETION_INDEX=$index PATH=$(dirname "$program"):$PATH sh -c \
        'exec orvalin-convert --quiet --if-exists skip --shard $((JOB_COMPLETION_INDEX + 1))/8 --output kubernetes-out forty'
done
check "a Kubernetes Indexed Job's pods convert everything" test "$(ls kubernetes-out | wc -l)" == 40

# Stopped by SIGTERM while it converts large pictures one at a time: status 143, whole results
# only, no working folder; run again with --if-exists skip, it converts the rest.
convert-im6.q16 -size 3000x2000 plasma:fractal big.png
cwebp -quiet -q 90 big.png -o big.webp
mkdir large large-out
for i in $(seq 12); do cp big.webp "large/$i.webp"; done
"$program" --jobs 1 --output large-out large 2>/dev/null &
pid=$!
for _ in $(seq 600); do [[ -n $(ls large-out) ]] && break; sleep 0.05; done
kill -TERM $pid
wait $pid
status=$?
expect_status 143 "stopped by SIGTERM"
done_before=$(ls large-out | wc -l)
check "stopped before the end ($done_before of 12)" test "$done_before" -lt 12
for jpg in large-out/*; do check "$jpg is whole" identify-im6.q16 -regard-warnings "$jpg" >/dev/null 2>&1; done
check "no working folder left after the signal" no_work_folder_left
run --jobs 1 --if-exists skip --json --output large-out large
expect_status 0 "the resumed run"
check "the resumed run skips what was done" \
    test "$(jq -s 'map(select(.result == "skipped-exists")) | length' stdout.txt)" == "$done_before"
check "and converts the rest" test "$(ls large-out | wc -l)" == 12

# The progress line: only when asked for, on standard error, when it is no terminal.
run --progress forty/1.webp forty/2.webp
check "--progress draws the line" grep -qF "of 2 files" stderr.txt
run forty/1.webp
check "no progress line unless asked" bash -c "! grep -qF 'of 1 files' stderr.txt"
run --quiet forty/1.webp
check "--quiet prints nothing when all is well" test ! -s stderr.txt

check "the window's settings were never written" test -z "$(ls -A "$XDG_CONFIG_HOME")"

if ((failures)); then
    echo "$failures checks failed" >&2
    exit 1
fi
echo "all checks passed"
