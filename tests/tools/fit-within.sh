#!/usr/bin/env bash
# fit-within: the worker asked to fit pictures within N pixels shrinks those whose longer side
# is longer than N to N, keeping their aspect (the other side rounded, at least 1), with a
# filter an image editor's users would accept: each JPG comes within 30 dB PSNR or closer of
# ImageMagick's -resize of dwebp's pixels (translucent pictures flattened onto white after
# shrinking, as the worker flattens them). The 'D' answer counts the shrunk picture's bytes.
# A picture that fits already, exactly or with room, converts byte for byte as with no size.
source "$(dirname "$0")/lib.sh"
[[ -n ${CONVERT_WORKER:-} ]] || { echo "CONVERT_WORKER names no program" >&2; exit 1; }
for tool in dwebp compare-im6.q16; do
    command -v $tool >/dev/null || { echo "missing program: $tool" >&2; exit 1; }
done

request() { "$TOOLS_PROBE" worker-request "$@"; }

# A photograph-like picture, smooth with texture: a sky's gradient under a cloudy plasma.
# Sources from it: a lossy landscape one (the planes' path); an odd-sized portrait one; a
# lossy one with alpha, whose transparent pixels are black (-exact keeps them so), half of a
# band of them in a one-pixel checkerboard, where averaging colours without their alpha
# turns the band dark, and a lossless one of it; a lossless one; a large one; a 3 x 203 strip.
photo() # WIDTH HEIGHT OUT
{
    $IM_CONVERT -size "$1x$2" gradient:'#3a6ea5-#f0c070' \
        \( -seed 3 -size "$(($1 / 4))x$(($2 / 4))" plasma:fractal -resize "$1x$2!" \) \
        -compose blend -define compose:args=30 -composite "$3"
}
photo 1200 800 "$scratch/photo.png"
cwebp -quiet -q 85 "$scratch/photo.png" -o "$scratch/lossy.webp"
$IM_CONVERT "$scratch/photo.png" -rotate 90 -crop 601x1001+0+0 +repage "$scratch/portrait.png"
cwebp -quiet -q 85 "$scratch/portrait.png" -o "$scratch/portrait.webp"
$IM_CONVERT -size 900x600 gradient:white-black \
    -fill 'rgb(0,0,0)' -draw 'rectangle 0,500 899,599' \
    \( -size 900x200 pattern:gray50 \) -geometry +0+150 -composite "$scratch/mask.png"
$IM_CONVERT "$scratch/photo.png" -crop 900x600+0+0 +repage "$scratch/mask.png" -alpha off \
    -compose CopyOpacity -composite -background black -alpha background "$scratch/alpha.png"
cwebp -quiet -q 90 -exact "$scratch/alpha.png" -o "$scratch/alpha.webp"
cwebp -quiet -lossless -exact -z 0 "$scratch/alpha.png" -o "$scratch/lossless-alpha.webp"
$IM_CONVERT "$scratch/photo.png" -crop 1000x750+100+25 +repage "$scratch/lossless.png"
cwebp -quiet -lossless -z 0 "$scratch/lossless.png" -o "$scratch/lossless.webp"
photo 2400 1600 "$scratch/large.png"
cwebp -quiet -q 80 "$scratch/large.png" -o "$scratch/large.webp"
$IM_CONVERT "$scratch/photo.png" -crop 3x203+500+300 +repage "$scratch/strip.png"
cwebp -quiet -q 85 "$scratch/strip.png" -o "$scratch/strip.webp"
# An animation whose first frame, a lossless picture with alpha, lies at (100, 100) on a
# 1000 x 700 canvas, transparent black around it.
$IM_CONVERT "$scratch/alpha.png" -crop 700x500+0+100 +repage "$scratch/frame.png"
cwebp -quiet -lossless -exact -z 0 "$scratch/frame.png" -o "$scratch/frame.webp"
"$TOOLS_PROBE" webp-animation "$scratch/frame.webp" 1000 700 "$scratch/animation.webp" 100 100

# reference SOURCE FIT OUT.png: dwebp's pixels (an animation's first frame composed on its
# canvas by ImageMagick), shrunk by ImageMagick's -resize and flattened onto white.
reference()
{
    local png=$scratch/reference-full.png
    if [[ $1 == *animation.webp ]]; then
        dwebp -quiet "$scratch/frame.webp" -o "$scratch/frame-decoded.png"
        $IM_CONVERT -size 1000x700 xc:none "$scratch/frame-decoded.png" -geometry +100+100 \
            -composite "$png"
    else
        dwebp -quiet "$1" -o "$png"
    fi
    $IM_CONVERT "$png" -resize "$2x$2" -background white -alpha remove -alpha off "$3"
}

# name source fit quality size decoded-bytes: the bytes are the planes' (W·H + 2·⌈W/2⌉·⌈H/2⌉)
# for a lossy picture without alpha, otherwise W·H·channels.
cases=(
    "lossy-landscape lossy 500 85 500x333 $((500 * 333 + 2 * 250 * 167))"
    "lossy-portrait-odd portrait 300 85 180x300 $((180 * 300 + 2 * 90 * 150))"
    "lossy-alpha alpha 256 92 256x171 $((256 * 171 * 4))"
    "lossless lossless 333 92 333x250 $((333 * 250 * 3))"
    "lossless-alpha lossless-alpha 256 92 256x171 $((256 * 171 * 4))"
    "animation animation 400 92 400x280 $((400 * 280 * 4))"
    "large-to-16 large 16 92 16x11 $((16 * 11 + 2 * 8 * 6))"
    "strip-to-16 strip 16 92 1x16 $((1 * 16 + 2 * 1 * 8))"
)
# name source fit quality: the picture fits already; the JPG must be the one made with fit 0.
untouched=(
    "exactly-N lossy 1200 85"
    "lossless-exactly-N lossless 1000 92"
    "smaller alpha 1000 92"
    "animation-smaller animation 1001 92"
)
mkdir "$scratch/out"
{
    for case in "${cases[@]}"; do
        read -r name source fit quality _ <<<"$case"
        request "$scratch/$source.webp" "$scratch/out/$name.jpg" "$quality" 0 "$fit"
    done
    for case in "${untouched[@]}"; do
        read -r name source fit quality <<<"$case"
        request "$scratch/$source.webp" "$scratch/out/$name.jpg" "$quality" 0 "$fit"
        request "$scratch/$source.webp" "$scratch/out/$name.full.jpg" "$quality" 0 0
    done
} >"$scratch/requests"
"$CONVERT_WORKER" <"$scratch/requests" | "$TOOLS_PROBE" worker-answers >"$scratch/answers"
status=${PIPESTATUS[0]}
check "exit 0 at the end of the input" test "$status" = 0

i=0
for case in "${cases[@]}"; do
    read -r name source fit quality size bytes <<<"$case"
    i=$((i + 1))
    jpg=$scratch/out/$name.jpg
    check "$name: answers D $bytes, C" \
        test "$(sed -n "$((2 * i - 1)),$((2 * i))p" "$scratch/answers" | paste -sd,)" = "D $bytes,C"
    check "$name: $size" test "$($IM_IDENTIFY -format %wx%h "$jpg" 2>/dev/null)" = "$size"
    reference "$scratch/$source.webp" "$fit" "$scratch/reference.png"
    psnr=$(compare-im6.q16 -metric PSNR "$scratch/reference.png" "$jpg" null: 2>&1)
    echo "$name: fit $fit, $size, PSNR $psnr dB"
    check "$name: PSNR $psnr dB against ImageMagick's -resize, at least 30" \
        awk -v p="$psnr" 'BEGIN { exit !(p == "inf" || (p ~ /^[0-9.]+$/ && p >= 30)) }'
done
for case in "${untouched[@]}"; do
    read -r name source fit quality <<<"$case"
    check "$name: the JPG made with no size" \
        cmp -s "$scratch/out/$name.jpg" "$scratch/out/$name.full.jpg"
done

finish
