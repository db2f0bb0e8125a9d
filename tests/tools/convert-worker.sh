#!/usr/bin/env bash
# convert-worker: one process converts file after file, answering in frames that tools-probe
# prints as lines. Each JPG is byte for byte what webp-decode followed by jpeg-encode -overwrite
# makes, but for a lossy still without alpha, which goes from its YUV planes: its JPG is as
# large as theirs, with their markers, and at most 0.3 dB further from dwebp's pixels. Sources that are no WebP answer N, sources it cannot read or pictures it
# cannot hold answer F with a plain reason, and leave nothing; outputs it cannot write answer F
# and the worker goes on; a malformed request ends it with status 2. On Linux, its memory falls
# back after a huge picture, and a memory limit makes "not enough memory", never "damaged".
source "$(dirname "$0")/lib.sh"
[[ -n ${CONVERT_WORKER:-} ]] || { echo "CONVERT_WORKER names no program" >&2; exit 1; }
command -v exiftool >/dev/null ||
    { echo "missing program: exiftool (apt package libimage-exiftool-perl)" >&2; exit 1; }

request() { "$TOOLS_PROBE" worker-request "$@"; }
answers() { "$TOOLS_PROBE" worker-answers; }
be32() { od -An -tu4 --endian=big -j"$2" -N4 "$1" | xargs; }

# planar WEBP: a lossy still without alpha, which the worker converts from its YUV planes.
planar()
{
    local info
    info=$(webpinfo "$1" 2>/dev/null) && grep -q 'Format: Lossy' <<<"$info" &&
        ! grep -qE '(Alpha|Animation): 1' <<<"$info"
}

# chain WEBP QUALITY NAME: both tools make NAME.chain.jpg; prints the answers the worker must
# give for the file: D with the decoded bytes (Y, U and V planes for a planar one, otherwise
# RGB or RGBA), the tools' warnings without their names, C.
chain()
{
    local png=$scratch/$3.chain.png
    "$WEBP_DECODE" "$1" -o "$png" 2>"$scratch/$3.warnings" &&
        "$JPEG_ENCODE" -q "$2" -out jpeg -overwrite "$png" 2>>"$scratch/$3.warnings" ||
        { fail "$3: the tools fail: $(cat "$scratch/$3.warnings")"; return; }
    local width height channels=3
    width=$(be32 "$png" 16)
    height=$(be32 "$png" 20)
    [[ $(png_color_type "$png") == 6 ]] && channels=4
    if planar "$1"; then
        echo "D $((width * height + 2 * ((width + 1) / 2) * ((height + 1) / 2)))"
    else
        echo "D $((width * height * channels))"
    fi
    sed -E 's/^(webp-decode|jpeg-encode): /W /' "$scratch/$3.warnings"
    echo C
}

# Metadata cases: ICC profiles of one and of two markers, EXIF blocks small, too large for
# their thumbnail and not in TIFF form, XMP small and extended, all three together, on a
# photograph (ImageMagick's built-in rose); an animation whose first frame is translucent.
$IM_CONVERT -size 64x48 gradient:red-blue "$scratch/gradient.png"
$IM_CONVERT rose: "$scratch/rose.png"
cwebp -quiet -q 85 "$scratch/rose.png" -o "$scratch/still.webp"
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
# Sizes that are no multiple of 16, odd ones too: the planes' last rows and columns, and the
# pixels past the last 16 of a row; bright, saturated colours, which the WebP's decoder clips.
$IM_CONVERT -size 35x17 gradient:white-red -rotate 90 "$scratch/odd.png"
cwebp -quiet -q 70 "$scratch/odd.png" -o "$scratch/odd.webp"
$IM_CONVERT -size 3x203 gradient:yellow-blue -rotate 90 "$scratch/thin.png"
cwebp -quiet -q 90 "$scratch/thin.png" -o "$scratch/thin.webp"
$IM_CONVERT -size 64x48 'xc:rgba(0,128,255,0.5)' "$scratch/translucent.png"
img2webp -lossless "$scratch/translucent.png" -d 100 "$scratch/gradient.png" \
    -o "$scratch/animation.webp" 2>/dev/null

# lossy_opaque WEBP: a lossy picture without alpha. Its chroma is 4:2:0 at every quality, where
# the tools' PNG, a lossless picture, keeps full chroma from quality 90 up: the session asks
# such a picture below 90.
lossy_opaque()
{
    webpinfo "$1" 2>/dev/null | grep -m1 'Format:' | grep -q Lossy &&
        "$WEBP_DECODE" "$1" -o "$scratch/kind.png" 2>/dev/null &&
        [[ $(png_color_type "$scratch/kind.png") != 6 ]]
}

# One worker converts every conformance vector and every metadata case, at qualities from 1 to
# 100, so its buffers pass between pictures of differing sizes, with and without alpha.
sources=()
while IFS=$'\t' read -r file _; do
    [[ $file == *.webp ]] && sources+=("$CONFORMANCE_DIR/$file")
done <"$CONFORMANCE_DIR/MANIFEST.tsv"
for name in icc icc-two-markers exif exif-junk exif-thumbnail xmp xmp-extended all animation \
    odd thin; do
    sources+=("$scratch/$name.webp")
done
# Paths are UTF-8, whatever the system calls take.
cp "$scratch/all.webp" "$scratch/Hafen 港 ü.webp"
sources+=("$scratch/Hafen 港 ü.webp")
mkdir "$scratch/out"
i=0
for source in "${sources[@]}"; do
    quality=$((i * 37 % 100 + 1))
    ((quality >= 90)) && lossy_opaque "$source" && quality=$((quality - 50))
    chain "$source" $quality $i >>"$scratch/expected"
    request "$source" "$scratch/out/$i é.jpg" $quality >>"$scratch/requests"
    i=$((i + 1))
done
"$CONVERT_WORKER" <"$scratch/requests" | answers >"$scratch/answers"
status=${PIPESTATUS[0]}
check "session of $i files: exit 0 at the end of the input" test "$status" = 0
check "session of $i files: answers" diff "$scratch/expected" "$scratch/answers"
check "the expected answers hold warnings" test "$(grep -c '^W ' "$scratch/expected")" -ge 2

# same_as_chain SOURCE CHAIN WORKER [DB]: for a planar source, the same size and markers (SOF,
# Huffman tables, Exif, XMP, ICC), PSNR against dwebp's pixels at most 0.3 dB (or DB) below the
# tools', and at most 5% more bytes, unless the tools' JPG lost detail the worker's keeps (1 dB
# and more); for any other source, the same bytes.
same_as_chain()
{
    local source=$1 chain=$2 worker=$3 below=${4:-0.3}
    if ! planar "$source"; then
        cmp -s "$chain" "$worker" || { fail "$source: JPG differs from the tools'"; return; }
        pass
        return
    fi
    dwebp -quiet "$source" -ppm -o "$scratch/reference.ppm" ||
        { fail "$source: dwebp cannot decode it"; return; }
    local chain_psnr worker_psnr chain_bytes worker_bytes
    chain_psnr=$("$TOOLS_PROBE" psnr "$scratch/reference.ppm" "$chain")
    worker_psnr=$("$TOOLS_PROBE" psnr "$scratch/reference.ppm" "$worker") ||
        { fail "$source: the worker's JPG is not the picture's size or no JPEG"; return; }
    chain_bytes=$(stat -c %s "$chain")
    worker_bytes=$(stat -c %s "$worker")
    check "$source: markers" \
        diff <("$TOOLS_PROBE" jpeg-markers "$chain") <("$TOOLS_PROBE" jpeg-markers "$worker")
    check "$source: PSNR $worker_psnr dB, the tools' $chain_psnr dB" \
        awk -v w="$worker_psnr" -v c="$chain_psnr" -v below="$below" \
        'BEGIN { if (w == "inf") w = 1e9; if (c == "inf") c = 1e9; exit !(w >= c - below) }'
    check "$source: $worker_bytes bytes, the tools' $chain_bytes" \
        awk -v w="$worker_bytes" -v c="$chain_bytes" -v wp="$worker_psnr" -v cp="$chain_psnr" \
        'BEGIN { if (wp == "inf") wp = 1e9; if (cp == "inf") cp = 1e9
                 exit !(w <= c * 1.05 || wp >= cp + 1) }'
}
planar_sources=0
for ((n = 0; n < i; n++)); do
    same_as_chain "${sources[n]}" "$scratch/$n.chain.jpg" "$scratch/out/$n é.jpg"
    planar "${sources[n]}" && planar_sources=$((planar_sources + 1))
done
check "test input: $planar_sources planar sources" test "$planar_sources" -ge 40

# A smooth gradient of saturated colours, which the WebP's decoder clips, at a high quality (the
# tools' chroma is 4:2:0 below 90): here both JPGs come within a level of dwebp's pixels, and
# the tools', made from those 8-bit pixels, comes closer to them, by 0.35 dB at 87 and up to
# 0.8 dB at other qualities from 87 up (bench/README.md); the worker's stays within 1 dB.
cwebp -quiet -q 85 "$scratch/gradient.png" -o "$scratch/saturated.webp"
chain "$scratch/saturated.webp" 87 saturated >/dev/null
request "$scratch/saturated.webp" "$scratch/saturated.jpg" 87 | "$CONVERT_WORKER" | answers >/dev/null
same_as_chain "$scratch/saturated.webp" "$scratch/saturated.chain.jpg" "$scratch/saturated.jpg" 1

# A source that is no WebP answers N with webp-decode's reason, one that cannot be read F with a
# plain reason, and neither writes anything; an output that cannot be written answers F after
# D, and the next request is served; an existing output is replaced.
mkdir "$scratch/failing"
printf 'plain text' >"$scratch/text.webp"
"$WEBP_DECODE" "$scratch/text.webp" -o "$scratch/failing/x.png" 2>&1 |
    sed 's/^webp-decode: /N /' >"$scratch/expected-failing"
echo "F no such file or folder" >>"$scratch/expected-failing"
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
check "N and F with their reasons" diff "$scratch/expected-failing" <(head -n2 "$scratch/failing-answers")
decoded="D $((70 * 46 + 2 * 35 * 23))" # a planar picture's Y, U and V
check "F after D for a missing folder" test "$(sed -n 3p "$scratch/failing-answers")" = "$decoded"
check "F reason" test "$(sed -n 4p "$scratch/failing-answers")" = "F no such file or folder"
check "the next request converts" test "$(tail -n +5 "$scratch/failing-answers" | paste -sd,)" = "$decoded,C"
chain "$scratch/still.webp" 85 still >/dev/null
same_as_chain "$scratch/still.webp" "$scratch/still.chain.jpg" "$scratch/failing/replaced.jpg"
check "nothing else is left in the output folder" test "$(entries "$scratch/failing")" = 1
check "no folder was made" test ! -e "$scratch/no-folder"

# A canvas larger than a still WebP can be is refused before anything is allocated, whatever the
# file's size; the largest one converts. A file larger than a WebP can be is no WebP.
$IM_CONVERT -size 1x1 xc:red "$scratch/dot.png"
cwebp -quiet -lossless "$scratch/dot.png" -o "$scratch/dot.webp"
"$TOOLS_PROBE" webp-animation "$scratch/dot.webp" 16384 300 "$scratch/wide.webp"
"$TOOLS_PROBE" webp-animation "$scratch/dot.webp" 40000 40000 "$scratch/bomb.webp"
"$TOOLS_PROBE" webp-animation "$scratch/dot.webp" 16383 2 "$scratch/widest.webp"
truncate -s 4294967305 "$scratch/huge-file.webp"
{
    request "$scratch/wide.webp" "$scratch/failing/wide.jpg" 85
    request "$scratch/bomb.webp" "$scratch/failing/bomb.jpg" 85
    request "$scratch/widest.webp" "$scratch/failing/widest.jpg" 85
    request "$scratch/huge-file.webp" "$scratch/failing/huge-file.jpg" 85
} >"$scratch/large-requests"
"$CONVERT_WORKER" <"$scratch/large-requests" | answers >"$scratch/large-answers"
check "too large canvases and files: answers" test "$(paste -sd'|' "$scratch/large-answers")" = \
    "F the picture is too large (16384 × 300)|F the picture is too large (40000 × 40000)|D $((16383 * 2 * 4))|C|N $scratch/huge-file.webp is larger than a WebP file can be"
check "the widest canvas converts" test "$(exiftool -s3 -ImageSize "$scratch/failing/widest.jpg")" = 16383x2
check "nothing of the refused ones is written" test "$(entries "$scratch/failing")" = 2

# Chroma and Huffman tables: a lossless or translucent picture keeps full chroma from quality
# 90 up, a lossy opaque one never; tables are optimised below quality 80.
sampling() { $IM_IDENTIFY -format '%[jpeg:sampling-factor]' "$1"; }
huffman() { "$TOOLS_PROBE" jpeg-markers "$1" | grep '^DHT' | sort -u | paste -sd,; }
$IM_CONVERT -size 96x96 xc: -fx 'floor(i/3)%2' -fill red -opaque white -fill blue -opaque black \
    "$scratch/stripes.png"
cwebp -quiet -lossless "$scratch/stripes.png" -o "$scratch/stripes.webp"
cwebp -quiet -q 90 "$scratch/stripes.png" -o "$scratch/stripes-lossy.webp"
translucent=$CONFORMANCE_DIR/$(awk -F'\t' '$2 == "lossy+alpha" { print $1; exit }' "$CONFORMANCE_DIR/MANIFEST.tsv")
mkdir "$scratch/rules"
{
    request "$scratch/stripes.webp" "$scratch/rules/lossless-100.jpg" 100
    request "$scratch/stripes.webp" "$scratch/rules/lossless-90.jpg" 90
    request "$scratch/stripes.webp" "$scratch/rules/lossless-89.jpg" 89
    request "$scratch/stripes.webp" "$scratch/rules/lossless-79.jpg" 79
    request "$scratch/stripes-lossy.webp" "$scratch/rules/lossy-100.jpg" 100
    request "$translucent" "$scratch/rules/translucent-95.jpg" 95
} >"$scratch/rules-requests"
"$CONVERT_WORKER" <"$scratch/rules-requests" | answers >/dev/null
for case in lossless-100:1x1,1x1,1x1:standard lossless-90:1x1,1x1,1x1:standard \
    lossless-89:2x2,1x1,1x1:standard lossless-79:2x2,1x1,1x1:optimised \
    lossy-100:2x2,1x1,1x1:standard translucent-95:1x1,1x1,1x1:standard; do
    IFS=: read -r name chroma tables <<<"$case"
    check "$name: $chroma" test "$(sampling "$scratch/rules/$name.jpg")" = "$chroma"
    check "$name: DHT $tables" test "$(huffman "$scratch/rules/$name.jpg")" = "DHT $tables"
done
psnr=$(compare-im6.q16 -metric PSNR "$scratch/stripes.png" "$scratch/rules/lossless-100.jpg" null: 2>&1 | cut -d. -f1)
check "red and blue stripes at quality 100: $psnr dB, at least 45" test "$psnr" -ge 45

# A malformed request ends the worker with status 2 after the answers to the requests before
# it. Counts and qualities at their limits are taken: a 65536-byte source path answers F, the
# path being too long to open.
long=$scratch/$(head -c $((65536 - ${#scratch} - 1)) /dev/zero | tr '\0' a)
check "test input: a 65536-byte path" test ${#long} = 65536
# le32 N: N as 4 little-endian bytes, written for printf %b.
le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
path=$(le32 3)abc
keep=$(le32 0)$(le32 0) # all metadata, the size kept
declare -A malformed=(
    [quality-0]=$path$path$(le32 0)$keep
    [quality-101]=$path$path$(le32 101)$keep
    [metadata-3]=$path$path$(le32 85)$(le32 3)$(le32 0)
    [fit-15]=$path$path$(le32 85)$(le32 0)$(le32 15)
    [fit-65536]=$path$path$(le32 85)$(le32 0)$(le32 65536)
    [ends-in-the-choices]=$path$path$(le32 85)$(le32 0)
    [empty-source]=$(le32 0)$path$(le32 85)$keep
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
        "$(cut -c1 "$scratch/bad-answers" | paste -sd,)" = "F,D,C"
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
    # Its planes alone are 96 MiB.
    check "test input: the huge picture took memory ($peak kB at the peak)" test $((peak - small)) -gt 90000
    check "resident size after the huge picture, $after kB, near $small kB" test $((after - small)) -lt 30720
    exec {to_worker}>&-
    wait $pid
    check "exit 0 when the input ends" test $? = 0

    # Under a memory limit the picture, or the canvas of an animation, that does not fit is
    # "not enough memory": never a damaged file, never a crash; the next file converts. The
    # lossless picture's pixels fit, libwebp's own buffer for it does not.
    $IM_CONVERT -size 16x16 gradient:red-blue "$scratch/gradient16.png"
    cwebp -quiet -lossless -z 0 -resize 4096 4096 "$scratch/gradient16.png" -o "$scratch/big-lossless.webp"
    "$TOOLS_PROBE" webp-animation "$scratch/dot.webp" 12000 12000 "$scratch/big-canvas.webp"
    {
        request "$scratch/big-lossless.webp" "$scratch/memory-1.jpg" 85
        request "$scratch/big-canvas.webp" "$scratch/memory-2.jpg" 85
        request "$scratch/still.webp" "$scratch/memory-3.jpg" 85
    } >"$scratch/memory-requests"
    if ldd "$CONVERT_WORKER" 2>/dev/null | grep -q libasan; then
        skip "a sanitizer build's worker reserves more address space than any limit leaves"
    else
        (ulimit -v 100000 && "$CONVERT_WORKER" <"$scratch/memory-requests") | answers >"$scratch/memory-answers"
        check "under a memory limit: answers" test "$(paste -sd'|' "$scratch/memory-answers")" = \
            "F not enough memory|F not enough memory|$decoded|C"
    fi
fi

finish
