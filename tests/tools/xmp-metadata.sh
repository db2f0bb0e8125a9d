#!/usr/bin/env bash
# The XMP packet of a WebP file through both tools: byte for byte into the PNG's iTXt chunk
# "XML:com.adobe.xmp", then into the JPG's APP1 XMP marker, after APP1 Exif and before APP2
# ICC_PROFILE; a packet too large for one marker as extended XMP, which exiftool joins back. An
# XMP chunk that cannot be read is left out and the image still converts. exiftool is the
# independent reader.
source "$(dirname "$0")/lib.sh"
command -v exiftool >/dev/null ||
    { echo "missing program: exiftool (apt package libimage-exiftool-perl)" >&2; exit 1; }

$IM_CONVERT -size 64x48 gradient:red-blue "$scratch/source.png"
cwebp -quiet -q 85 "$scratch/source.png" -o "$scratch/still.webp"

# make_xmp SIZE OUT: an XMP packet of exactly SIZE bytes with a title (not all ASCII) and a
# rating; a description of counted numbers fills it, so a lost, doubled or moved part shows.
make_xmp()
{
    printf '%s' '<?xpacket begin="'$'\xef\xbb\xbf''" id="W5M0MpCehiHzreSzNTczkc9d"?>
<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">
<rdf:Description rdf:about="" xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:xmp="http://ns.adobe.com/xap/1.0/">
<dc:title><rdf:Alt><rdf:li xml:lang="x-default">Hafen am Abend, 港</rdf:li></rdf:Alt></dc:title>
<xmp:Rating>4</xmp:Rating>
<dc:description><rdf:Alt><rdf:li xml:lang="x-default">' >"$scratch/head"
    printf '%s' '</rdf:li></rdf:Alt></dc:description>
</rdf:Description></rdf:RDF></x:xmpmeta>
<?xpacket end="w"?>' >"$scratch/tail"
    local fill=$(($1 - $(stat -c %s "$scratch/head") - $(stat -c %s "$scratch/tail")))
    { cat "$scratch/head"; seq 1 100000 | tr '\n' ' ' | head -c $fill; cat "$scratch/tail"; } >"$2"
    [[ $(stat -c %s "$2") -eq $1 ]] || fail "test input: XMP packet of $(stat -c %s "$2") bytes, not $1"
}

# convert WEBP NAME: both tools, making NAME.png and NAME.jpg in the scratch folder; a failure
# is counted and returns 1.
convert()
{
    "$WEBP_DECODE" "$1" -o "$scratch/$2.png" 2>"$scratch/err" ||
        { fail "$2: webp-decode (status $?): $(cat "$scratch/err")"; return 1; }
    "$JPEG_ENCODE" -q 85 -out jpeg -overwrite "$scratch/$2.png" 2>"$scratch/err" ||
        { fail "$2: jpeg-encode (status $?): $(cat "$scratch/err")"; return 1; }
}

# app_markers JPG: the APPn markers in file order, without sizes, comma-separated.
app_markers() { "$TOOLS_PROBE" jpeg-markers "$1" | grep '^APP' | sed 's/ [0-9]*$//' | paste -sd,; }

# The iTXt chunk's data as it must be: keyword, its zero byte, compression flag and method 0,
# empty language tag and translated keyword, then the packet.
itxt_data() { printf 'XML:com.adobe.xmp\0\0\0\0\0'; cat "$1"; }

make_xmp 700 "$scratch/small.xmp"

# XMP alone, in a still and in an animated WebP.
$IM_CONVERT -size 64x48 xc:red "$scratch/red.png"
img2webp -lossless "$scratch/red.png" -d 100 "$scratch/source.png" -o "$scratch/anim.webp" 2>/dev/null
for kind in still anim; do
    webpmux -set xmp "$scratch/small.xmp" "$scratch/$kind.webp" -o "$scratch/$kind-xmp.webp" &>/dev/null
    convert "$scratch/$kind-xmp.webp" "$kind" || continue
    check "$kind: PNG chunks" test "$("$TOOLS_PROBE" png-chunks "$scratch/$kind.png" | paste -sd' ')" = "IHDR iTXt IDAT IEND"
    "$TOOLS_PROBE" png-chunk "$scratch/$kind.png" iTXt "$scratch/itxt.out"
    check "$kind: iTXt chunk is the XMP packet, uncompressed" cmp -s <(itxt_data "$scratch/small.xmp") "$scratch/itxt.out"
    check "$kind: exiftool reads the packet from the PNG" cmp -s "$scratch/small.xmp" <(exiftool -b -xmp "$scratch/$kind.png")
    check "$kind: exiftool reads the packet from the JPG" cmp -s "$scratch/small.xmp" <(exiftool -b -xmp "$scratch/$kind.jpg")
    check "$kind: JPG markers" test "$(app_markers "$scratch/$kind.jpg")" = "APP0,APP1 XMP"
done

# XMP with an EXIF block and an ICC profile: each in its place, none disturbing another.
"$TOOLS_PROBE" make-icc 3000 "$scratch/profile.icc"
printf 'MM\0\x2a\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0' >"$scratch/exif.bin"
webpmux -set icc "$scratch/profile.icc" "$scratch/still-xmp.webp" -o "$scratch/icc.webp" &>/dev/null
webpmux -set exif "$scratch/exif.bin" "$scratch/icc.webp" -o "$scratch/all.webp" &>/dev/null
if convert "$scratch/all.webp" all; then
    check "all: PNG chunks" test "$("$TOOLS_PROBE" png-chunks "$scratch/all.png" | paste -sd' ')" = "IHDR iCCP eXIf iTXt IDAT IEND"
    check "all: JPG markers Exif, XMP, ICC" test "$(app_markers "$scratch/all.jpg")" = "APP0,APP1 Exif,APP1 XMP,APP2 ICC_PROFILE 1/1"
    check "all: XMP identical" cmp -s "$scratch/small.xmp" <(exiftool -b -xmp "$scratch/all.jpg")
    "$TOOLS_PROBE" jpeg-exif "$scratch/all.jpg" "$scratch/exif.out"
    "$TOOLS_PROBE" jpeg-icc "$scratch/all.jpg" "$scratch/icc.out"
    check "all: EXIF identical" cmp -s "$scratch/exif.bin" "$scratch/exif.out"
    check "all: ICC profile identical" cmp -s "$scratch/profile.icc" "$scratch/icc.out"
fi

# Sizes: 65502 bytes is the most one APP1 marker takes; one byte more, and 200 KB, are written
# as extended XMP: a standard packet naming the whole packet by its MD5 (HasExtendedXMP), and
# the whole packet in extension markers of at most 65458 bytes. (200060 bytes leaves 60 in
# MD5's last block, so the digest needs a block of padding of its own.)
for size in 65502 65503 200060; do
    make_xmp $size "$scratch/big.xmp"
    webpmux -set xmp "$scratch/big.xmp" "$scratch/still.webp" -o "$scratch/big.webp" &>/dev/null
    convert "$scratch/big.webp" big || continue
    if [[ $size -le 65502 ]]; then
        check "$size: one marker" test "$(app_markers "$scratch/big.jpg")" = "APP0,APP1 XMP"
        check "$size: XMP identical" cmp -s "$scratch/big.xmp" <(exiftool -b -xmp "$scratch/big.jpg")
        continue
    fi
    parts=$(( (size + 65457) / 65458 ))
    check "$size: standard marker and $parts extension markers" test "$(app_markers "$scratch/big.jpg")" = \
        "APP0,APP1 XMP$(printf ',APP1 XMP extension%.0s' $(seq $parts))"
    "$TOOLS_PROBE" jpeg-xmp-extension "$scratch/big.jpg" "$scratch/extension.out"
    check "$size: extension parts join to the packet" cmp -s "$scratch/big.xmp" "$scratch/extension.out"
    md5=$(md5sum <"$scratch/big.xmp" | cut -c1-32)
    check "$size: HasExtendedXMP is the packet's MD5" test "$(exiftool -s3 -HasExtendedXMP "$scratch/big.jpg")" = "${md5^^}"
    check "$size: exiftool joins it without warnings" test -z "$(exiftool -s3 -warning "$scratch/big.jpg")"
    check "$size: exiftool reads the description whole" cmp -s \
        <(exiftool -b -description "$scratch/big.xmp") <(exiftool -b -description "$scratch/big.jpg")
    check "$size: exiftool reads the title" test "$(exiftool -s3 -title "$scratch/big.jpg")" = "Hafen am Abend, 港"
done

# XMP chunks that cannot be read: the JPG is made without XMP, with a warning. An iTXt chunk
# with another keyword is text, passed over without a word, and the XMP chunk after it counts.
"$WEBP_DECODE" "$scratch/still.webp" -o "$scratch/plain.png"
itxt_data "$scratch/small.xmp" >"$scratch/good.itxt"
{ printf 'XML:com.adobe.xmp\0\1\0\0\0'; cat "$scratch/small.xmp"; } >"$scratch/compressed.itxt"
{ printf 'XML:com.adobe.xmp\0\0\1\0\0'; cat "$scratch/small.xmp"; } >"$scratch/method.itxt"
printf 'XML:com.adobe.xmp\0\0' >"$scratch/cut-after-method.itxt"
printf 'XML:com.adobe.xmp\0\0\0en-GB' >"$scratch/cut-in-language.itxt"
{ printf 'Comment\0\0\0\0\0'; cat "$scratch/small.xmp"; } >"$scratch/comment.itxt"
for damage in compressed method cut-after-method cut-in-language comment; do
    "$TOOLS_PROBE" png-insert "$scratch/plain.png" iTXt "$scratch/$damage.itxt" "$scratch/$damage.png"
    if "$JPEG_ENCODE" -q 85 -out jpeg "$scratch/$damage.png" 2>"$scratch/err"; then
        check "$damage: no XMP marker" test "$(app_markers "$scratch/$damage.jpg")" = APP0
        if [[ $damage == comment ]]; then
            check "$damage: no warning" test ! -s "$scratch/err"
        else
            check "$damage: a one-line warning" test "$(wc -l <"$scratch/err")" -eq 1
        fi
    else
        fail "$damage: jpeg-encode (status $?): $(cat "$scratch/err")"
    fi
done
"$TOOLS_PROBE" png-insert "$scratch/comment.png" iTXt "$scratch/good.itxt" "$scratch/after-comment.png"
if "$JPEG_ENCODE" -q 85 -out jpeg "$scratch/after-comment.png" 2>"$scratch/err"; then
    check "XMP after another iTXt chunk is carried" cmp -s "$scratch/small.xmp" <(exiftool -b -xmp "$scratch/after-comment.jpg")
else
    fail "XMP after another iTXt chunk: jpeg-encode (status $?): $(cat "$scratch/err")"
fi

finish
