#!/usr/bin/env bash
# jpeg-encode: what goes into the JPG. Every PNG colour type and depth is read, transparency is
# flattened onto white, the JPG is baseline at the quality asked for (4:2:0 below 90, 4:4:4 from
# 90 up, Huffman tables optimised below 80), and the ICC profile and EXIF block travel from a
# WebP file through both tools into the JPG byte for byte.
source "$(dirname "$0")/lib.sh"

# encode PNG [QUALITY]: the JPG path on success; a failure is counted.
encode()
{
    if "$JPEG_ENCODE" -q "${2:-90}" -out jpeg -overwrite "$1" 2>"$scratch/err"; then
        echo "${1%.png}.jpg"
    else
        fail "$1: $(cat "$scratch/err")"
        echo "/nonexistent"
    fi
}

# make_png NAME COLOUR-TYPE FORMAT IM-ARGUMENTS...: a PNG made by ImageMagick (FORMAT png, or
# PNG8 for a palette), checked to really have the colour type the test is about (0 grey,
# 2 RGB, 3 palette, 4 grey+alpha, 6 RGBA).
make_png()
{
    local name=$1 type=$2 format=$3; shift 3
    $IM_CONVERT "$@" "$format:$scratch/$name.png"
    [[ $(png_color_type "$scratch/$name.png") == "$type" ]] ||
        fail "test input $name.png has colour type $(png_color_type "$scratch/$name.png"), not $type"
}

# Left half one colour, right half another: "left" and "right" name them as IM colours.
halves() { echo -size 32x32 "xc:$1" -size 32x32 "xc:$2" +append; }

# Grey, 8 and 16 bits.
make_png grey 0 png $(halves gray20 gray80) -colorspace Gray -depth 8 -define png:color-type=0
jpg=$(encode "$scratch/grey.png")
check "grey: left" near "$(pixel "$jpg" 8 16)" "51 51 51" 3
check "grey: right" near "$(pixel "$jpg" 56 16)" "204 204 204" 3
make_png grey16 0 png $(halves gray20 gray80) -colorspace Gray -depth 16 -define png:bit-depth=16 -define png:color-type=0
check "test input grey16.png is 16-bit" test "$(png_bit_depth "$scratch/grey16.png")" = 16
check "grey 16-bit: right" near "$(pixel "$(encode "$scratch/grey16.png")" 56 16)" "204 204 204" 3

# RGB 16 bits a channel.
make_png rgb16 2 png $(halves 'rgb(200,30,40)' 'rgb(10,120,230)') -depth 16 -define png:bit-depth=16 -define png:color-type=2
check "test input rgb16.png is 16-bit" test "$(png_bit_depth "$scratch/rgb16.png")" = 16
jpg=$(encode "$scratch/rgb16.png")
check "16-bit RGB: left" near "$(pixel "$jpg" 8 16)" "200 30 40" 8
check "16-bit RGB: right" near "$(pixel "$jpg" 56 16)" "10 120 230" 8

# Palette with a fully transparent entry (tRNS): transparent turns white, not the entry's black.
make_png palette 3 PNG8 $(halves 'rgba(0,0,0,0)' 'rgb(0,0,255)')
jpg=$(encode "$scratch/palette.png")
check "palette: transparent becomes white" near "$(pixel "$jpg" 8 16)" "255 255 255" 3
check "palette: opaque stays blue" near "$(pixel "$jpg" 56 16)" "0 0 255" 12

# Grey with alpha: black at half alpha over white is mid grey.
make_png grey-alpha 4 png $(halves 'graya(0%,0.5)' 'graya(0%,1)') -define png:color-type=4
jpg=$(encode "$scratch/grey-alpha.png")
check "grey+alpha: half-transparent black is mid grey" near "$(pixel "$jpg" 8 16)" "128 128 128" 3
check "grey+alpha: opaque black stays black" near "$(pixel "$jpg" 56 16)" "0 0 0" 3

# RGBA, 8 and 16 bits: full transparency is white whatever colour lies under it; half-transparent
# red over white is pink.
for depth in 8 16; do
    make_png rgba$depth 6 png $(halves 'rgba(0,0,0,0)' 'rgba(255,0,0,0.5)') -depth $depth -define png:bit-depth=$depth -define png:color-type=6
    jpg=$(encode "$scratch/rgba$depth.png")
    check "RGBA $depth-bit: transparent black becomes white" near "$(pixel "$jpg" 8 16)" "255 255 255" 3
    check "RGBA $depth-bit: half-transparent red becomes pink" near "$(pixel "$jpg" 56 16)" "255 128 128" 6
done

# Interlaced input is read whole, and comes out the same.
make_png interlaced 2 png $(halves 'rgb(200,30,40)' 'rgb(10,120,230)') -interlace PNG -define png:color-type=2
check "test input interlaced.png is interlaced" test "$(png_interlace "$scratch/interlaced.png")" = 1
jpg=$(encode "$scratch/interlaced.png")
check "interlaced: left" near "$(pixel "$jpg" 8 16)" "200 30 40" 8
check "interlaced: right" near "$(pixel "$jpg" 56 16)" "10 120 230" 8

# Baseline (SOF0), 4:2:0, and the quality asked for: ImageMagick reads the quality back from the
# quantisation tables, and a lower quality makes a smaller file.
$IM_CONVERT -size 256x192 plasma:fractal "$scratch/photo.png"
cp "$scratch/photo.png" "$scratch/photo-low.png"
jpg=$(encode "$scratch/photo.png" 85)
check "baseline frame" test "$("$TOOLS_PROBE" jpeg-markers "$jpg" | grep '^SOF')" = SOF0
check "4:2:0" test "$($IM_IDENTIFY -format '%[jpeg:sampling-factor]' "$jpg")" = "2x2,1x1,1x1"
check "quality 85" test "$($IM_IDENTIFY -format '%Q' "$jpg")" = 85
low=$(encode "$scratch/photo-low.png" 20)
check "quality 20" test "$($IM_IDENTIFY -format '%Q' "$low")" = 20
check "quality 20 is smaller than 85" test "$(stat -c %s "$low")" -lt "$(stat -c %s "$jpg")"

# A PNG is a lossless picture: its full chroma stays from quality 90 up. Huffman tables are made
# for the picture below quality 80, and are the standard ones from 80 up.
sampling() { $IM_IDENTIFY -format '%[jpeg:sampling-factor]' "$1"; }
huffman() { "$TOOLS_PROBE" jpeg-markers "$1" | grep '^DHT' | sort -u | paste -sd,; }
for quality in 79 80 89 90 100; do
    cp "$scratch/photo.png" "$scratch/q$quality.png"
    jpg=$(encode "$scratch/q$quality.png" $quality)
    chroma="2x2,1x1,1x1" tables="DHT standard"
    ((quality >= 90)) && chroma="1x1,1x1,1x1"
    ((quality < 80)) && tables="DHT optimised"
    check "quality $quality: $chroma" test "$(sampling "$jpg")" = "$chroma"
    check "quality $quality: $tables" test "$(huffman "$jpg")" = "$tables"
done
check "optimised tables make a smaller file" test "$(stat -c %s "$scratch/q79.jpg")" -lt \
    "$(stat -c %s "$scratch/q80.jpg")"
# Red and blue stripes at quality 100 stay sharp: with halved chroma they came out at 27 dB.
$IM_CONVERT -size 96x96 xc: -fx 'floor(i/3)%2' -fill red -opaque white -fill blue -opaque black \
    "$scratch/stripes.png"
jpg=$(encode "$scratch/stripes.png" 100)
psnr=$(compare-im6.q16 -metric PSNR "$scratch/stripes.png" "$jpg" null: 2>&1 | cut -d. -f1)
check "red and blue stripes at quality 100: $psnr dB, at least 45" test "$psnr" -ge 45

# WebP with an ICC profile and an EXIF block -> PNG -> JPG: APP1 Exif and APP2 ICC_PROFILE hold
# the same bytes. A 150000-byte profile needs three APP2 markers (65519 bytes each at most).
cwebp -quiet -q 85 "$scratch/photo.png" -o "$scratch/photo.webp"
printf 'II\x2a\0\x08\0\0\0\x01\0\x0e\x01\x02\0\x06\0\0\0\x1a\0\0\0\0\0\0\0Orvalin\0' >"$scratch/exif.bin"
for size in 3000 150000; do
    "$TOOLS_PROBE" make-icc $size "$scratch/profile.icc"
    webpmux -set icc "$scratch/profile.icc" "$scratch/photo.webp" -o "$scratch/icc.webp" &>/dev/null
    webpmux -set exif "$scratch/exif.bin" "$scratch/icc.webp" -o "$scratch/meta.webp" &>/dev/null
    if "$WEBP_DECODE" "$scratch/meta.webp" -o "$scratch/meta.png" 2>"$scratch/err"; then
        jpg=$(encode "$scratch/meta.png")
        "$TOOLS_PROBE" jpeg-markers "$jpg" >"$scratch/markers"
        "$TOOLS_PROBE" jpeg-icc "$jpg" "$scratch/icc.out"
        "$TOOLS_PROBE" jpeg-exif "$jpg" "$scratch/exif.out"
        check "ICC $size: profile identical" cmp -s "$scratch/profile.icc" "$scratch/icc.out"
        check "ICC $size: EXIF identical" cmp -s "$scratch/exif.bin" "$scratch/exif.out"
        markers=$(grep -c ICC_PROFILE "$scratch/markers")
        check "ICC $size: $(( (size + 65518) / 65519 )) APP2 markers" test "$markers" -eq $(( (size + 65518) / 65519 ))
    else
        fail "ICC $size: $(cat "$scratch/err")"
    fi
done

# The whole way from a transparent WebP: pixels that are fully transparent (black beneath)
# reach the JPG as white.
$IM_CONVERT $(halves 'rgba(0,0,0,0)' 'rgb(0,128,0)') "$scratch/clear.png"
cwebp -quiet -lossless -exact "$scratch/clear.png" -o "$scratch/clear.webp"
if "$WEBP_DECODE" "$scratch/clear.webp" -o "$scratch/clear-out.png" 2>"$scratch/err"; then
    jpg=$(encode "$scratch/clear-out.png")
    check "WebP to JPG: transparent becomes white" near "$(pixel "$jpg" 8 16)" "255 255 255" 3
    check "WebP to JPG: green stays green" near "$(pixel "$jpg" 56 16)" "0 128 0" 8
else
    fail "transparent WebP: $(cat "$scratch/err")"
fi

finish
