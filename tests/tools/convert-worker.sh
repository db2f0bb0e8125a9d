#!/usr/bin/env bash
# convert-worker: one process converts file after file, each JPG byte for byte what
# webp-decode followed by jpeg-encode -overwrite makes, answering in frames that tools-probe
# prints as lines. Sources it cannot read answer N and leave nothing; outputs it cannot write
# answer F and the worker goes on; a malformed request ends it with status 2. On Linux, its
# memory falls back after a huge picture.
source "$(dirname "$0")/lib.sh"
[[ -n ${CONVERT_WORKER:-} ]] || { echo "CONVERT_WORKER names no program" >&2; exit 1; }
command -v exiftool >/dev/null ||
    { echo "missing program: exiftool (apt package libimage-exiftool-perl)" >&2; exit 1; }

request() { "$TOOLS_PROBE" worker-request "$@"; }
answers() { "$TOOLS_PROBE" worker-answers; }
be32() { od -An -tu4 --endian=big -j"$2" -N4 "$1" | xargs; }

# chain WEBP QUALITY NAME: both tools make NAME.chain.jpg; prints the answers the worker must
# give for the file: D with the decoded bytes, the tools' warnings without their names, C.
chain()
{
    local png=$scratch/$3.chain.png
    "$WEBP_DECODE" "$1" -o "$png" 2>"$scratch/$3.warnings" &&
        "$JPEG_ENCODE" -q "$2" -out jpeg -overwrite "$png" 2>>"$scratch/$3.warnings" ||
        { fail "$3: the tools fail: $(cat "$scratch/$3.warnings")"; return; }
    local channels=3
    [[ $(png_color_type "$png") == 6 ]] && channels=4
    echo "D $(($(be32 "$png" 16) * $(be32 "$png" 20) * channels))"
    sed -E 's/^(webp-decode|jpeg-encode): /W /' "$scratch/$3.warnings"
    echo C
}

# Metadata cases: ICC profiles of one and of two markers, EXIF blocks small, too large for
# their thumbnail and not in TIFF form, XMP small and extended, all three together, an
# animation whose first frame is translucent.
$IM_CONVERT -size 64x48 gradient:red-blue "$scratch/gradient.png"
cwebp -quiet -q 85 "$scratch/gradient.png" -o "$scratch/still.webp"
"$TOOLS_PROBE" make-icc 3000 "$scratch/small.icc"
"$TOOLS_PROBE" make-icc 70000 "$scratch/large.icc"
printf 'MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0' >"$scratch/small.exif"
printf 'not a TIFF structure' >"$scratch/junk.exif"
seq 1 200 | tr '\n' ' ' | head -c 700 >"$scratch/small.xmp"
seq 1 50000 | tr '\n' ' ' | head -c 200000 >"$scratch/large.xmp"
mux() { webpmux -set "$2" "$scratch/$3" "$scratch/still.webp" -o "$scratch/$1.webp" >/dev/null 2>&1; }
mux icc icc small.icc
mux icc-two-markers icc large.icc
mux exif exif small.exif
mux exif-junk exif junk.exif
mux xmp xmp small.xmp
mux xmp-extended xmp large.xmp
webpmux -set icc "$scratch/small.icc" "$scratch/xmp.webp" -o "$scratch/icc-xmp.webp" >/dev/null 2>&1
webpmux -set exif "$scratch/small.exif" "$scratch/icc-xmp.webp" -o "$scratch/all.webp" >/dev/null 2>&1
$IM_CONVERT -size 300x300 xc: +noise Random -quality 92 "$scratch/thumb.jpg"
cp "$scratch/still.webp" "$scratch/exif-thumbnail.webp"
exiftool -q -overwrite_original -Make=Kestrel "-ThumbnailImage<=$scratch/thumb.jpg" \
    "$scratch/exif-thumbnail.webp"
$IM_CONVERT -size 64x48 'xc:rgba(0,128,255,0.5)' "$scratch/translucent.png"
img2webp -lossless "$scratch/translucent.png" -d 100 "$scratch/gradient.png" \
    -o "$scratch/animation.webp" 2>/dev/null

# One worker converts every conformance vector and every metadata case, at qualities from 1 to
# 100, so its buffers pass between pictures of differing sizes, with and without alpha.
sources=()
while IFS=$'\t' read -r file _; do
    [[ $file == *.webp ]] && sources+=("$CONFORMANCE_DIR/$file")
done <"$CONFORMANCE_DIR/MANIFEST.tsv"
for name in icc icc-two-markers exif exif-junk exif-thumbnail xmp xmp-extended all animation; do
    sources+=("$scratch/$name.webp")
done
# Paths are UTF-8, whatever the system calls take.
cp "$scratch/all.webp" "$scratch/Hafen 港 ü.webp"
sources+=("$scratch/Hafen 港 ü.webp")
mkdir "$scratch/out"
i=0
for source in "${sources[@]}"; do
    quality=$((i * 37 % 100 + 1))
    chain "$source" $quality $i >>"$scratch/expected"
    request "$source" "$scratch/out/$i é.jpg" $quality >>"$scratch/requests"
    i=$((i + 1))
done
"$CONVERT_WORKER" <"$scratch/requests" | answers >"$scratch/answers"
status=${PIPESTATUS[0]}
check "session of $i files: exit 0 at the end of the input" test "$status" = 0
check "session of $i files: answers" diff "$scratch/expected" "$scratch/answers"
check "the expected answers hold warnings" test "$(grep -c '^W ' "$scratch/expected")" -ge 2
for ((n = 0; n < i; n++)); do
    cmp -s "$scratch/$n.chain.jpg" "$scratch/out/$n é.jpg" || fail "${sources[n]}: JPG differs from the tools'"
    pass
done

# Sources that cannot be converted answer N with webp-decode's reason and write nothing; an
# output that cannot be written answers F after D, and the next request is served; an
# existing output is replaced.
mkdir "$scratch/failing"
printf 'plain text' >"$scratch/text.webp"
for source in text missing; do
    "$WEBP_DECODE" "$scratch/$source.webp" -o "$scratch/failing/x.png" 2>&1 |
        sed 's/^webp-decode: /N /' >>"$scratch/expected-failing"
done
echo old >"$scratch/failing/replaced.jpg"
{
    request "$scratch/text.webp" "$scratch/failing/text.jpg" 85
    request "$scratch/missing.webp" "$scratch/failing/missing.jpg" 85
    request "$scratch/still.webp" "$scratch/no-folder/x.jpg" 85
    request "$scratch/still.webp" "$scratch/failing/replaced.jpg" 85
} >"$scratch/failing-requests"
"$CONVERT_WORKER" <"$scratch/failing-requests" | answers >"$scratch/failing-answers"
status=${PIPESTATUS[0]}
check "failing session: exit 0" test "$status" = 0
check "N with webp-decode's reasons" diff "$scratch/expected-failing" <(head -n2 "$scratch/failing-answers")
decoded="D $((64 * 48 * 3))"
check "F after D for a missing folder" test "$(sed -n 3p "$scratch/failing-answers")" = "$decoded"
check "F reason" grep -q "^F .*no-folder" <(sed -n 4p "$scratch/failing-answers")
check "the next request converts" test "$(tail -n +5 "$scratch/failing-answers" | paste -sd,)" = "$decoded,C"
chain "$scratch/still.webp" 85 still >/dev/null
check "an existing output is replaced" cmp -s "$scratch/still.chain.jpg" "$scratch/failing/replaced.jpg"
check "nothing else is left in the output folder" test "$(entries "$scratch/failing")" = 1
check "no folder was made" test ! -e "$scratch/no-folder"

# A malformed request ends the worker with status 2 after the answers to the requests before
# it. Counts and qualities at their limits are taken: a 65536-byte source path answers N.
long=$scratch/$(head -c $((65536 - ${#scratch} - 1)) /dev/zero | tr '\0' a)
check "test input: a 65536-byte path" test ${#long} = 65536
# le32 N: N as 4 little-endian bytes, written for printf %b.
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
path=$(le32 3)abc
declare -A malformed=(
    [quality-0]=$path$path$(le32 0)
    [quality-101]=$path$path$(le32 101)
    [empty-source]=$(le32 0)$path$(le32 85)
    [output-count-65537]=$path$(le32 65537)
    [ends-in-a-count]=$path$(le32 3 | head -c 8)
    [ends-in-a-path]=$path$(le32 3)ab
)
for case in "${!malformed[@]}"; do
    {
        request "$long" "$scratch/long.jpg" 1
        request "$scratch/still.webp" "$scratch/malformed.jpg" 100
        printf '%b' "${malformed[$case]}"
    } >"$scratch/bad"
    "$CONVERT_WORKER" <"$scratch/bad" | answers >"$scratch/bad-answers"
    status=${PIPESTATUS[0]}
    check "$case: exit 2" test "$status" = 2
    check "$case: the requests before it answered" test \
        "$(cut -c1 "$scratch/bad-answers" | paste -sd,)" = "N,D,C"
done

# Memory: after a huge picture the worker's resident size falls back near what it was after a
# small one, while it waits for the next request.
if windows_tools; then
    skip "the worker's resident memory is read from /proc on Linux"
else
    $IM_CONVERT -size 16x16 'xc:rgb(40,120,200)' "$scratch/flat.png"
    cwebp -quiet -resize 8192 8192 -q 10 -m 0 -segments 1 -sns 0 -f 0 "$scratch/flat.png" \
        -o "$scratch/huge.webp"
    mkfifo "$scratch/to-worker" "$scratch/from-worker"
    "$CONVERT_WORKER" <"$scratch/to-worker" >"$scratch/from-worker" &
    pid=$!
    exec {to_worker}>"$scratch/to-worker" {from_worker}<"$scratch/from-worker"
    resident() { awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status"; }
    convert_one() # SOURCE OUTPUT: the final answer
    {
        request "$1" "$2" 85 >&$to_worker
        "$TOOLS_PROBE" worker-answers 1 <&$from_worker | tail -n1
    }
    check "small picture converts" test "$(convert_one "$scratch/still.webp" "$scratch/rss1.jpg")" = C
    small=$(resident)
    check "huge picture converts" test "$(convert_one "$scratch/huge.webp" "$scratch/rss2.jpg")" = C
    peak=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    after=$(resident)
    check "test input: the huge picture took memory ($peak kB at the peak)" test $((peak - small)) -gt 150000
    check "resident size after the huge picture, $after kB, near $small kB" test $((after - small)) -lt 30720
    exec {to_worker}>&-
    wait $pid
    check "exit 0 when the input ends" test $? = 0
fi

finish
