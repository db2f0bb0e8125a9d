#!/usr/bin/env bash
# The metadata convert-worker's JPG keeps, by the request's choice. All: the ICC profile, the
# EXIF block and the XMP packet as they are (the JPG is the two tools' own, byte for byte).
# NoLocation: no GPS IFD and no XMP location property, in either form a packet may hold them;
# everything else kept, the rest of the XMP packet byte for byte, the thumbnail too.
# ColourAndOrientation: the ICC profile, and the orientation alone when it is not 1. Where the
# Exif IFD is kept, its pixel size is the picture's, in the type it had when that fits. An EXIF
# block or XMP packet that cannot be read safely is left out whole, with a warning, under either
# removing choice, and kept as it is under All. webpmux and exiftool make the inputs, exiftool
# reads the outputs.
source "$(dirname "$0")/lib.sh"
[[ -n ${CONVERT_WORKER:-} ]] || { echo "CONVERT_WORKER names no program" >&2; exit 1; }
command -v exiftool >/dev/null ||
    { echo "missing program: exiftool (apt package libimage-exiftool-perl)" >&2; exit 1; }

# A lossless picture, which the worker and the two tools make the same JPG of.
$IM_CONVERT rose: "$scratch/rose.png"
cwebp -quiet -lossless "$scratch/rose.png" -o "$scratch/base.webp"
$IM_CONVERT -size 40x30 gradient:blue-red "$scratch/thumb.jpg"
"$TOOLS_PROBE" make-icc 3000 "$scratch/profile.icc"

# EXIF blocks: "gps", big-endian, with a position, orientation 6, a thumbnail and a pixel size
# that is not the picture's (a SHORT width, and a height of 70000, a LONG, which exiftool does
# not write: its SHORT entry is made one); "plain", little-endian, with orientation 1 and
# nothing of the location.
exif_of() # NAME EXIFTOOL-ARGUMENTS...: NAME.exif, the block exiftool writes
{
    cp "$scratch/base.webp" "$scratch/$1-exif.webp"
    exiftool -q -overwrite_original "${@:2}" "$scratch/$1-exif.webp"
    exiftool -b -exif "$scratch/$1-exif.webp" >"$scratch/$1.exif"
}
exif_of gps -ExifByteOrder=MM -Make=Kestrel -Model='K-7' -DateTimeOriginal='2023:05:06 07:08:09' \
    -Orientation#=6 -GPSLatitude=51.5 -GPSLatitudeRef=N -GPSLongitude=0.125 -GPSLongitudeRef=W \
    -ExifImageWidth=4000 -ExifImageHeight=3000 "-ThumbnailImage<=$scratch/thumb.jpg"
perl -0777 -pi -e 's/\xa0\x03\0\x03\0\0\0\x01\x0b\xb8\0\0/\xa0\x03\0\x04\0\0\0\x01\0\x01\x11\x70/' \
    "$scratch/gps.exif"
exif_of plain -ExifByteOrder=II -Make=Kestrel -Orientation#=1 -Copyright='(c) Jo Doe'
# Damaged: IFD0 out of range, and the block cut short inside its IFDs.
cp "$scratch/gps.exif" "$scratch/range.exif"
printf '\xff\xff\xff\xf0' | dd of="$scratch/range.exif" bs=1 seek=4 conv=notrunc status=none
head -c 120 "$scratch/gps.exif" >"$scratch/cut.exif"

# The XMP packet, in the form of a diff: lines marked "-" hold location, as elements and as
# attributes, in structures, under another prefix and in the default namespace; NoLocation's
# packet is the one without them, byte for byte.
sed 's/BOM/\xef\xbb\xbf/' >"$scratch/xmp.diff" <<'EOF'
 <?xpacket begin="BOM" id="W5M0MpCehiHzreSzNTczkc9d"?>
 <x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">
 <rdf:Description rdf:about=""
   xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:xmp="http://ns.adobe.com/xap/1.0/"
   xmlns:exif="http://ns.adobe.com/exif/1.0/" xmlns:photoshop="http://ns.adobe.com/photoshop/1.0/"
   xmlns:Iptc4xmpCore="http://iptc.org/std/Iptc4xmpCore/1.0/xmlns/"
   xmlns:Iptc4xmpExt="http://iptc.org/std/Iptc4xmpExt/2008-02-29/"
   xmlns:xmpDM="http://ns.adobe.com/xmp/1.0/DynamicMedia/"
-  exif:GPSLatitude="51,30.0N"
-  photoshop:State='Greater London'
   xmp:Rating="4"
-  exif:GPSLongitude="0,7.5W"
   photoshop:Headline="Harbour">
-  <exif:GPSAltitude>12/1</exif:GPSAltitude>
   <exif:ExposureTime>1/250</exif:ExposureTime>
-  <photoshop:City>London</photoshop:City>
-  <photoshop:Country>United Kingdom</photoshop:Country>
-  <Iptc4xmpCore:Location>Wapping</Iptc4xmpCore:Location>
-  <Iptc4xmpCore:CountryCode>GBR</Iptc4xmpCore:CountryCode>
   <Iptc4xmpCore:CreatorContactInfo rdf:parseType="Resource">
    <Iptc4xmpCore:CiAdrCity>Leeds</Iptc4xmpCore:CiAdrCity>
   </Iptc4xmpCore:CreatorContactInfo>
-  <Iptc4xmpExt:LocationCreated>
-   <rdf:Bag><rdf:li rdf:parseType="Resource">
-    <Iptc4xmpExt:City>London</Iptc4xmpExt:City>
-    <exif:GPSLatitude>51,30.0N</exif:GPSLatitude>
-   </rdf:li></rdf:Bag>
-  </Iptc4xmpExt:LocationCreated>
-  <Iptc4xmpExt:LocationShown><rdf:Bag><rdf:li>
-   <rdf:Description Iptc4xmpExt:CountryName="France" Iptc4xmpExt:City="Paris"/>
-  </rdf:li></rdf:Bag></Iptc4xmpExt:LocationShown>
-  <xmpDM:shotLocation>Tower Bridge</xmpDM:shotLocation>
-  <dc:coverage>Thames</dc:coverage>
   <dc:title><rdf:Alt><rdf:li xml:lang="x-default">Hafen am Abend, 港</rdf:li></rdf:Alt></dc:title>
 </rdf:Description>
 <rdf:Description rdf:about="" xmlns:e="http://ns.adobe.com/exif/1.0/"
   xmlns="http://ns.adobe.com/photoshop/1.0/"
-  e:GPSDestLatitude="48,51.4N"
   xmlns:exif="urn:example:not-exif">
-  <e:GPSImgDirection>90/1</e:GPSImgDirection>
-  <City>Greenwich</City>
-  <exif:GPSProcessingMethod>under the exif prefix</exif:GPSProcessingMethod>
   <Credit>Jo Doe</Credit>
 </rdf:Description>
 </rdf:RDF></x:xmpmeta>
 <?xpacket end="w"?>
EOF
cut -c2- "$scratch/xmp.diff" | head -c -1 >"$scratch/full.xmp"
grep -v '^-' "$scratch/xmp.diff" | cut -c2- | head -c -1 >"$scratch/no-location.xmp"
# Packets expat refuses, or that could hide a property from the bytes: an element left open,
# a prefix never bound, a document type with an entity.
sed 's#</dc:title>##' "$scratch/full.xmp" >"$scratch/unclosed.xmp"
sed 's#<exif:ExposureTime>1/250</exif:ExposureTime>#<geo:Lat>51.5</geo:Lat>#' "$scratch/full.xmp" \
    >"$scratch/unbound.xmp"
sed '1a <!DOCTYPE x:xmpmeta [<!ENTITY city "London">]>' "$scratch/full.xmp" |
    sed 's#<Credit>Jo Doe</Credit>#<Credit>\&city;</Credit>#' >"$scratch/doctype.xmp"

# with NAME EXIF XMP: NAME.webp, the picture with the ICC profile and the blocks given ("-" for
# none).
with()
{
    webpmux -set icc "$scratch/profile.icc" "$scratch/base.webp" -o "$scratch/$1.webp" >/dev/null 2>&1
    [[ $2 == - ]] || webpmux -set exif "$scratch/$2" "$scratch/$1.webp" -o "$scratch/$1.webp" >/dev/null 2>&1
    [[ $3 == - ]] || webpmux -set xmp "$scratch/$3" "$scratch/$1.webp" -o "$scratch/$1.webp" >/dev/null 2>&1
}
with full gps.exif full.xmp
with plain plain.exif -
with exif-range range.exif full.xmp
with exif-cut cut.exif full.xmp
for bad in unclosed unbound doctype; do
    with "xmp-$bad" gps.exif "$bad.xmp"
done

# SOURCE CHOICE (0 All, 1 NoLocation, 2 ColourAndOrientation): the APP markers after APP0 and
# the warnings the worker gives.
table="
full         0  Exif,XMP,ICC  0
full         1  Exif,XMP,ICC  0
full         2  Exif,ICC      0
plain        0  Exif,ICC      0
plain        1  Exif,ICC      0
plain        2  ICC           0
exif-range   0  Exif,XMP,ICC  0
exif-range   1  XMP,ICC       1
exif-range   2  ICC           1
exif-cut     1  XMP,ICC       1
xmp-unclosed 0  Exif,XMP,ICC  0
xmp-unclosed 1  Exif,ICC      1
xmp-unbound  1  Exif,ICC      1
xmp-doctype  1  Exif,ICC      1
xmp-doctype  2  Exif,ICC      0
"
mkdir "$scratch/out"
while read -r source choice _; do
    [[ -n $source ]] && "$TOOLS_PROBE" worker-request "$scratch/$source.webp" \
        "$scratch/out/$source-$choice.jpg" 85 "$choice" 0
done <<<"$table" >"$scratch/requests"
# One worker for all, so each file's choice is its own; its answers, one line per file.
"$CONVERT_WORKER" <"$scratch/requests" | "$TOOLS_PROBE" worker-answers |
    awk '{ line = line (line == "" ? "" : "|") $0 } /^[CNF]/ { print line; line = "" }' \
        >"$scratch/answers"
check "the worker ends well" test "${PIPESTATUS[0]}" = 0

markers() # JPG: its APP markers after APP0, by name
{
    "$TOOLS_PROBE" jpeg-markers "$1" | grep '^APP' | tail -n +2 |
        sed -E 's/^APP1 (Exif|XMP).*/\1/; s/^APP2 ICC_PROFILE.*/ICC/' | paste -sd,
}
n=0
while read -r source choice want warnings; do
    [[ -n $source ]] || continue
    n=$((n + 1))
    answer=$(sed -n "${n}p" "$scratch/answers")
    out=$scratch/out/$source-$choice.jpg
    check "$source, choice $choice: converted ($answer)" test "${answer##*|}" = C
    check "$source, choice $choice: $warnings warnings ($answer)" \
        test "$(tr '|' '\n' <<<"$answer" | grep -c '^W ')" = "$warnings"
    check "$source, choice $choice: markers $want" test "$(markers "$out")" = "$want"
    if [[ $want == *ICC* ]]; then
        "$TOOLS_PROBE" jpeg-icc "$out" "$scratch/icc.out"
        check "$source, choice $choice: the ICC profile" cmp -s "$scratch/profile.icc" "$scratch/icc.out"
    fi
done <<<"$table"
check "test input: $n requests answered" test "$(wc -l <"$scratch/answers")" = "$n"

out=$scratch/out
exif_block() { "$TOOLS_PROBE" jpeg-exif "$1" "$scratch/block.out" && cat "$scratch/block.out"; }
tags() { exiftool -G1 -a -s -EXIF:all "$@" | grep -vE 'ExifImage(Width|Height)|ThumbnailOffset'; }

# All: as the tools make it, with only the pixel size set; what cannot be read goes as it is.
chain()
{
    "$WEBP_DECODE" "$scratch/$1.webp" -o "$scratch/$1.png" &&
        "$JPEG_ENCODE" -q 85 -out jpeg -overwrite "$scratch/$1.png"
}
chain plain && check "plain, All: the tools' JPG" cmp -s "$scratch/plain.jpg" "$out/plain-0.jpg"
check "full, All: the XMP packet" cmp -s "$scratch/full.xmp" <(exiftool -b -xmp "$out/full-0.jpg")
check "full, All: the EXIF block but for its pixel size" test \
    "$(cmp -l "$scratch/gps.exif" <(exif_block "$out/full-0.jpg") | wc -l)" -le 5
for damaged in exif-range:range.exif xmp-unclosed:unclosed.xmp; do
    IFS=: read -r source block <<<"$damaged"
    if [[ $block == *.exif ]]; then
        check "$source, All: as it is" cmp -s "$scratch/$block" <(exif_block "$out/$source-0.jpg")
    else
        check "$source, All: as it is" cmp -s "$scratch/$block" <(exiftool -b -xmp "$out/$source-0.jpg" 2>/dev/null)
    fi
done

# NoLocation: nothing of the location left, anywhere exiftool looks; all else kept.
for jpg in full-1 plain-1 exif-range-1 xmp-unbound-1; do
    check "$jpg: no location" test -z "$(exiftool -a -s -location:all "$out/$jpg.jpg")"
    check "$jpg: read without warnings" test -z "$(exiftool -s3 -warning "$out/$jpg.jpg")"
done
check "test input: full has a location" test -n "$(exiftool -a -s -location:all "$scratch/full.webp")"
check "full, NoLocation: the XMP packet without location, byte for byte" \
    cmp -s "$scratch/no-location.xmp" <(exiftool -b -xmp "$out/full-1.jpg")
check "exif-range, NoLocation: the XMP packet without location" \
    cmp -s "$scratch/no-location.xmp" <(exiftool -b -xmp "$out/exif-range-1.jpg")
check "full, NoLocation: every EXIF tag but the GPS ones" \
    diff <(tags "$scratch/full.webp" | grep -v '^\[GPS') <(tags "$out/full-1.jpg")
check "full, NoLocation: the thumbnail" cmp -s "$scratch/thumb.jpg" \
    <(exiftool -b -ThumbnailImage "$out/full-1.jpg")
# With no GPS IFD to leave out, the pieces stay where they were: only the bytes between them,
# which no tag points at (exiftool leaves its name there), become zeros.
check "plain, NoLocation: the EXIF block, but for zeros between its pieces" test -z \
    "$(cmp -l "$scratch/plain.exif" <(exif_block "$out/plain-1.jpg") 2>/dev/null | awk '$3 != 0')"
check "plain, NoLocation: every EXIF tag" diff <(tags "$scratch/plain.webp") <(tags "$out/plain-1.jpg")

# The pixel size is the picture's, in the type it had.
for jpg in full-0 full-1; do
    check "$jpg: pixel size" test "$(exiftool -s3 -ExifImageWidth -ExifImageHeight "$out/$jpg.jpg" | paste -sd x)" = 70x46
    check "$jpg: width SHORT, height LONG" test "$(exiftool -v3 "$out/$jpg.jpg" |
        grep -oE 'Tag 0xa00[23] \([0-9] bytes, int[0-9]+u' | sed 's/.*int/int/' | paste -sd,)" = int16u,int32u
done
check "test input: 4000 x 70000" test "$(exiftool -s3 -ExifImageWidth -ExifImageHeight "$scratch/full.webp" | paste -sd x)" = 4000x70000
check "test input: width SHORT, height LONG" test "$(exiftool -v3 "$scratch/full.webp" |
    grep -oE 'Tag 0xa00[23] \([0-9] bytes, int[0-9]+u' | sed 's/.*int/int/' | paste -sd,)" = int16u,int32u

# ColourAndOrientation: the orientation alone, in the block's byte order; no XMP.
check "full, ColourAndOrientation: the orientation alone" test \
    "$(exiftool -G1 -a -s -EXIF:all "$out/full-2.jpg" | sed 's/  */ /g')" = "[IFD0] Orientation : Rotate 90 CW"
check "full, ColourAndOrientation: big-endian" test "$(exif_block "$out/full-2.jpg" | head -c 2)" = MM

finish
