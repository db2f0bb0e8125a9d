#!/usr/bin/env bash
# The EXIF block of a WebP file through both tools. A block that fits one JPEG APP1 marker
# arrives byte for byte, thumbnail and all. One too large for it, as a large thumbnail makes
# it, arrives without the thumbnail, every other tag intact, in either byte order, also when
# its pieces have to move. One too large even so, or too damaged to take apart, is left out
# with a one-line warning and the image still converts. exiftool writes the blocks and is the
# independent reader.
source "$(dirname "$0")/lib.sh"
command -v exiftool >/dev/null ||
    { echo "missing program: exiftool (apt package libimage-exiftool-perl)" >&2; exit 1; }

$IM_CONVERT -size 64x48 gradient:red-blue "$scratch/source.png"
cwebp -quiet -q 85 "$scratch/source.png" -o "$scratch/still.webp"
"$WEBP_DECODE" "$scratch/still.webp" -o "$scratch/plain.png"
# Noise barely compresses: a thumbnail of about 160 KB, and a small one.
$IM_CONVERT -size 300x300 xc: +noise Random -quality 92 "$scratch/big-thumb.jpg"
$IM_CONVERT -size 40x30 gradient:blue-red "$scratch/small-thumb.jpg"

# with_exif ORDER THUMBNAIL OUT [TAG=VALUE...]: still.webp with an EXIF block in byte order
# ORDER (II or MM): camera, date, GPS position, copyright and the thumbnail.
with_exif()
{
    cp "$scratch/still.webp" "$3"
    exiftool -q -overwrite_original -ExifByteOrder="$1" -Make=Kestrel -Model='K-7 Mark II' \
        -DateTimeOriginal='2023:05:06 07:08:09' -GPSLatitude=51.5 -GPSLatitudeRef=N \
        -GPSLongitude=0.125 -GPSLongitudeRef=W -Copyright='(c) Jo Doe' "-ThumbnailImage<=$2" \
        "${@:4}" "$3"
}

# convert WEBP NAME: both tools, making NAME.png and NAME.jpg in the scratch folder, with
# jpeg-encode's standard error in NAME.err; a failure is counted and returns 1.
convert()
{
    "$WEBP_DECODE" "$1" -o "$scratch/$2.png" 2>"$scratch/err" ||
        { fail "$2: webp-decode (status $?): $(cat "$scratch/err")"; return 1; }
    encode "$2"
}
encode()
{
    "$JPEG_ENCODE" -q 85 -out jpeg -overwrite "$scratch/$1.png" 2>"$scratch/$1.err" ||
        { fail "$1: jpeg-encode (status $?): $(cat "$scratch/$1.err")"; return 1; }
}

# warned NAME TEXT: jpeg-encode said one line about NAME.png, holding TEXT.
warned() { [[ $(wc -l <"$scratch/$1.err") -eq 1 ]] && grep -q "$2" "$scratch/$1.err"; }

# put32 FILE OFFSET VALUE: VALUE written over 4 bytes of FILE at OFFSET, big-endian.
put32()
{
    printf '%b' "$(printf '\\x%02x' $(($3 >> 24 & 255)) $(($3 >> 16 & 255)) $(($3 >> 8 & 255)) $(($3 & 255)))" |
        dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}

tags=(-Make -Model -DateTimeOriginal -GPSLatitude -GPSLongitude -Copyright -ExifByteOrder)
# kept_without_thumbnail NAME WEBP: NAME.jpg holds every tag of WEBP but the thumbnail, in a
# form exiftool reads without a warning, and jpeg-encode said what it left out.
kept_without_thumbnail()
{
    local want
    want=$(exiftool -s3 "${tags[@]}" "$2")
    [[ $(wc -l <<<"$want") -eq ${#tags[@]} ]] || fail "test input: $2 lacks tags: $want"
    check "$1: tags kept" test "$(exiftool -s3 "${tags[@]}" "$scratch/$1.jpg")" = "$want"
    check "$1: thumbnail left out" test -z "$(exiftool -s3 -IFD1:all "$scratch/$1.jpg")"
    check "$1: read without warnings" test -z "$(exiftool -s3 -warning "$scratch/$1.jpg")"
    check "$1: a one-line warning about the thumbnail" warned "$1" 'thumbnail was left out'
}

# A small block, thumbnail included, goes whole.
with_exif MM "$scratch/small-thumb.jpg" "$scratch/small.webp"
if convert "$scratch/small.webp" small; then
    "$TOOLS_PROBE" png-chunk "$scratch/small.png" eXIf "$scratch/small.exif"
    "$TOOLS_PROBE" jpeg-exif "$scratch/small.jpg" "$scratch/small-jpg.exif"
    check "small: EXIF identical" cmp -s "$scratch/small.exif" "$scratch/small-jpg.exif"
    check "small: no warning" test ! -s "$scratch/small.err"
fi

# A large thumbnail, in both byte orders. Every piece kept stays at its offset (a maker note
# may count offsets from the block's start): where the bytes differ, the new one is 0 (IFD0's
# link to IFD1, and what lay between the pieces).
for order in II MM; do
    with_exif $order "$scratch/big-thumb.jpg" "$scratch/$order.webp"
    convert "$scratch/$order.webp" "$order" || continue
    kept_without_thumbnail "$order" "$scratch/$order.webp"
    "$TOOLS_PROBE" png-chunk "$scratch/$order.png" eXIf "$scratch/$order.exif"
    "$TOOLS_PROBE" jpeg-exif "$scratch/$order.jpg" "$scratch/$order-jpg.exif"
    check "$order: pieces at their offsets" test -z \
        "$(cmp -l "$scratch/$order.exif" "$scratch/$order-jpg.exif" 2>/dev/null | awk '$3 != 0')"
done

# The same block with IFD0 moved behind the thumbnail: the pieces cannot stay where they were,
# so every offset in the block changes.
ifd0=$(od -An -tu4 --endian=big -j4 -N4 "$scratch/MM.exif" | xargs)
entries=$(od -An -tu2 --endian=big -j"$ifd0" -N2 "$scratch/MM.exif" | xargs)
moved=$(stat -c %s "$scratch/MM.exif")
{ cat "$scratch/MM.exif"; tail -c +$((ifd0 + 1)) "$scratch/MM.exif" | head -c $((2 + 12 * entries + 4)); } \
    >"$scratch/moved.exif"
put32 "$scratch/moved.exif" 4 "$moved"
"$TOOLS_PROBE" png-insert "$scratch/plain.png" eXIf "$scratch/moved.exif" "$scratch/moved.png"
encode moved && kept_without_thumbnail moved "$scratch/MM.webp"

# Too large without its thumbnail too (a copyright of 70000 bytes), and damaged (IFD0 out of
# range): left out, and the image converts.
with_exif MM "$scratch/big-thumb.jpg" "$scratch/too-large.webp" "-Copyright=$(printf '%070000d' 0)"
"$WEBP_DECODE" "$scratch/too-large.webp" -o "$scratch/too-large.png"
cp "$scratch/MM.exif" "$scratch/damaged.exif"
put32 "$scratch/damaged.exif" 4 $((0xfffffff0))
"$TOOLS_PROBE" png-insert "$scratch/plain.png" eXIf "$scratch/damaged.exif" "$scratch/damaged.png"
for name in too-large damaged; do
    encode "$name" || continue
    check "$name: no Exif marker" test -z "$("$TOOLS_PROBE" jpeg-markers "$scratch/$name.jpg" | grep Exif)"
    check "$name: a one-line warning" warned "$name" 'EXIF block .* left out'
done

finish
