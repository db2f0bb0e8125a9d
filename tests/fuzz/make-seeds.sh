#!/usr/bin/env bash
# Makes the fuzz targets' seed corpus: small files of every kind the two tools read, in
# corpus/webp/ (for fuzz-webp-to-png) and corpus/png/ (for fuzz-png-to-jpeg), and EXIF blocks
# in corpus/exif/ (for fuzz-exif), XMP packets in corpus/xmp/ (for fuzz-xmp). The files are kept in the repository and used from there;
# this script says how they were made. Encoders of other versions write other bytes, so
# running it again changes files without changing what they cover.
#
# Needs Debian's webp (cwebp, webpmux, img2webp), imagemagick and libimage-exiftool-perl
# packages, and python3.
# Adding a kind of file is one more `webp` or `png` line below.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
webp_dir=$here/corpus/webp
png_dir=$here/corpus/png
exif_dir=$here/corpus/exif
xmp_dir=$here/corpus/xmp
IM=convert-im6.q16

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rm -rf "$webp_dir" "$png_dir" "$exif_dir" "$xmp_dir"
mkdir -p "$webp_dir" "$png_dir" "$exif_dir" "$xmp_dir"

# webp NAME COMMAND...: runs the command with `-o corpus/webp/NAME.webp` appended.
# What the tools print about each file saved is shown only when they fail.
webp()
{
    local name=$1; shift
    "$@" -o "$webp_dir/$name.webp" >"$work/log" 2>&1 || { cat "$work/log" >&2; return 1; }
}

# png NAME QUALITY COMMAND...: runs the command with a PNG path appended, then appends the
# byte that fuzz-png-to-jpeg reads from an input's end (PNG readers stop at IEND): the quality
# (1 to 100) less one, with the top bit set so that the target makes mutated CRCs right.
png()
{
    local name=$1 quality=$2; shift 2
    "$@" "$work/$name.png"
    { cat "$work/$name.png"; printf "\\$(printf %o $((quality - 1 | 128)))"; } >"$png_dir/$name.png"
}

# palette ARGUMENTS... OUT: ImageMagick's convert writing OUT as an 8-bit palette PNG.
palette() { $IM "${@:1:$#-1}" "PNG8:${*: -1}"; }

# chunk IN TYPE DATA-FILE: IN.png with one more chunk (raw data from DATA-FILE) just before
# its first IDAT, written to the path given last (so it can be used as a `png` command).
chunk()
{
    python3 - "$@" <<'EOF'
import struct, sys, zlib
source, kind, data_file, target = sys.argv[1:5]
data = open(data_file, "rb").read()
png = open(source, "rb").read()
at = png.index(b"IDAT") - 4
new = struct.pack(">I", len(data)) + kind.encode() + data
new += struct.pack(">I", zlib.crc32(new[4:]))
open(target, "wb").write(png[:at] + new + png[at:])
EOF
}

# Metadata blocks. The ICC profile is a header and an empty tag table: neither tool looks
# inside a profile, they carry its bytes. The EXIF block is a TIFF structure with one tag
# (Orientation), in both byte orders, once with the "Exif\0\0" prefix some writers add, and
# once not in TIFF form at all. The XMP packet has a title and a rating; in a PNG it is an
# iTXt chunk "XML:com.adobe.xmp", once as written and once with its header cut short in the
# language tag.
python3 - "$work" <<'EOF'
import struct, sys, zlib
work = sys.argv[1]
icc = bytearray(132)
struct.pack_into(">I4sI4s4s4s", icc, 0, 132, b"none", 0x02100000, b"mntr", b"RGB ", b"XYZ ")
icc[36:40] = b"acsp"
open(f"{work}/profile.icc", "wb").write(bytes(icc))
def tiff(order):
    e = "<" if order == b"II" else ">"
    return order + struct.pack(e + "HIH", 42, 8, 1) + struct.pack(e + "HHIHH", 0x112, 3, 1, 6, 0) \
        + struct.pack(e + "I", 0)
open(f"{work}/exif-ii.bin", "wb").write(tiff(b"II"))
open(f"{work}/exif-mm.bin", "wb").write(tiff(b"MM"))
open(f"{work}/exif-prefixed.bin", "wb").write(b"Exif\0\0" + tiff(b"MM"))
open(f"{work}/exif-not-tiff.bin", "wb").write(b"not a TIFF structure")
xmp = ('<?xpacket begin="\ufeff" id="W5M0MpCehiHzreSzNTczkc9d"?>'
       '<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF '
       'xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#"><rdf:Description rdf:about="" '
       'xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:xmp="http://ns.adobe.com/xap/1.0/">'
       '<dc:title><rdf:Alt><rdf:li xml:lang="x-default">Seed</rdf:li></rdf:Alt></dc:title>'
       '<xmp:Rating>3</xmp:Rating></rdf:Description></rdf:RDF></x:xmpmeta>'
       '<?xpacket end="w"?>').encode()
open(f"{work}/packet.xmp", "wb").write(xmp)
open(f"{work}/xmp.itxt", "wb").write(b"XML:com.adobe.xmp\0\0\0\0\0" + xmp)
open(f"{work}/xmp-damaged.itxt", "wb").write(b"XML:com.adobe.xmp\0\0\0en-")
# iCCP chunk data: a name, its zero byte, compression method 0, the profile deflated.
open(f"{work}/iccp.bin", "wb").write(b"sRGB-like\0\0" + zlib.compress(bytes(icc), 9))
# A PNG as webp-decode writes one: RGB, no filtering, stored deflate blocks.
w, h = 5, 4
raw = b"".join(b"\0" + b"".join(bytes((x * 50, y * 60, 90)) for x in range(w)) for y in range(h))
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
open(f"{work}/as-webp-decode-writes.png", "wb").write(
    b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
    + chunk(b"IDAT", zlib.compress(raw, 0)) + chunk(b"IEND", b""))
EOF

# Source pictures: colours that change in both directions, with and without transparency.
$IM -size 24x16 gradient:red-blue -fx 'u*(0.5+0.5*sin(i/3))' "$work/rgb.png"
$IM "$work/rgb.png" \( -size 24x16 gradient:white-none \) -compose CopyOpacity -composite "$work/rgba.png"
$IM -size 3x7 gradient:yellow-green "$work/odd.png"
$IM -size 1x1 xc:'rgba(10,200,30,0.5)' "$work/one.png"
for colour in red blue lime; do
    $IM -size 16x12 "xc:$colour" -fill 'rgba(255,255,255,0.5)' -draw 'rectangle 2,2 9,7' "$work/frame-$colour.png"
done

# WebP: lossy, lossless, alpha, odd sizes.
webp lossy cwebp -quiet -q 60 "$work/rgb.png"
webp lossy-odd cwebp -quiet -q 90 "$work/odd.png"
webp lossless cwebp -quiet -lossless "$work/rgb.png"
webp lossless-1x1 cwebp -quiet -lossless "$work/one.png"
webp alpha-lossy cwebp -quiet -q 50 -alpha_q 80 "$work/rgba.png"
webp alpha-lossless cwebp -quiet -lossless -exact "$work/rgba.png"
# Animations: whole frames from img2webp; frames at offsets with blending and disposal from
# webpmux.
cwebp -quiet -q 50 "$work/frame-red.png" -o "$work/frame-red.webp"
cwebp -quiet -lossless "$work/frame-blue.png" -o "$work/frame-blue.webp"
$IM "$work/frame-lime.png" -crop 8x6+0+0 +repage "$work/small-lime.png"
cwebp -quiet -lossless "$work/small-lime.png" -o "$work/small-lime.webp"
webp animated img2webp -loop 0 -d 100 -lossy "$work/frame-red.png" -lossless "$work/frame-blue.png" "$work/frame-lime.png"
webp animated-offsets webpmux -frame "$work/frame-red.webp" +100+0+0+0-b \
    -frame "$work/small-lime.webp" +80+4+2+1+b -frame "$work/small-lime.webp" +80+8+6+0-b \
    -bgcolor 0,255,255,255 -loop 2
# Metadata chunks.
webp icc webpmux -set icc "$work/profile.icc" "$webp_dir/lossy.webp"
webp exif webpmux -set exif "$work/exif-ii.bin" "$webp_dir/alpha-lossless.webp"
webp exif-prefixed webpmux -set exif "$work/exif-prefixed.bin" "$webp_dir/lossless.webp"
webp exif-not-tiff webpmux -set exif "$work/exif-not-tiff.bin" "$webp_dir/lossy.webp"
webpmux -set icc "$work/profile.icc" "$webp_dir/animated-offsets.webp" -o "$work/animated-icc.webp" 2>/dev/null
webp animated-icc-exif webpmux -set exif "$work/exif-mm.bin" "$work/animated-icc.webp"
webp xmp webpmux -set xmp "$work/packet.xmp" "$webp_dir/lossy.webp"

# PNG, each with its own quality byte: 8-bit RGB and RGBA, 16-bit, palette with tRNS, grey
# from 1 to 16 bits, grey+alpha, interlaced, odd sizes.
png rgb8 85 $IM "$work/rgb.png" -define png:color-type=2 -define png:bit-depth=8
png rgba8 100 $IM "$work/rgba.png" -define png:color-type=6 -define png:bit-depth=8
png rgb16 1 $IM "$work/rgb.png" -depth 16 -define png:color-type=2 -define png:bit-depth=16
png rgba16 50 $IM "$work/rgba.png" -depth 16 -define png:color-type=6 -define png:bit-depth=16
png palette-trns 75 palette "$work/rgba.png" -colors 12
png palette-2bit 40 $IM -size 7x5 pattern:checkerboard -colors 3 -define png:color-type=3 -define png:bit-depth=2
png gray1 20 $IM -size 9x3 pattern:gray50 -colorspace Gray -define png:color-type=0 -define png:bit-depth=1
png gray4 60 $IM "$work/rgb.png" -colorspace Gray -define png:color-type=0 -define png:bit-depth=4
png gray8 95 $IM "$work/rgb.png" -colorspace Gray -define png:color-type=0 -define png:bit-depth=8
png gray16 30 $IM "$work/rgb.png" -colorspace Gray -depth 16 -define png:color-type=0 -define png:bit-depth=16
png gray-alpha 70 $IM "$work/rgba.png" -colorspace Gray -define png:color-type=4 -define png:bit-depth=8
png interlaced 90 $IM "$work/rgba.png" -interlace PNG -define png:color-type=6
png interlaced-palette 10 palette "$work/odd.png" -interlace PNG -colors 4
png odd-1x1 80 $IM "$work/one.png" -define png:color-type=6
png odd-3x7 65 $IM "$work/odd.png" -depth 8 -define png:color-type=2 -define png:bit-depth=8
png stored 85 cp "$work/as-webp-decode-writes.png"
# Metadata chunks.
png iccp 90 chunk "$work/as-webp-decode-writes.png" iCCP "$work/iccp.bin"
png exif 85 chunk "$work/rgba8.png" eXIf "$work/exif-ii.bin"
chunk "$work/gray16.png" iCCP "$work/iccp.bin" "$work/gray16-iccp.png"
png iccp-exif-gray16 45 chunk "$work/gray16-iccp.png" eXIf "$work/exif-mm.bin"
png xmp 80 chunk "$work/as-webp-decode-writes.png" iTXt "$work/xmp.itxt"
png xmp-damaged 55 chunk "$work/as-webp-decode-writes.png" iTXt "$work/xmp-damaged.itxt"

# EXIF blocks as exiftool writes them into a WebP file, in both byte orders: IFD0 with camera
# and copyright, the Exif IFD with a date and an Interoperability IFD, the GPS IFD, and IFD1
# with a small thumbnail. The byte in front is fuzz-exif's size limit (255: the largest).
$IM -size 8x8 gradient:red-blue "$work/thumbnail.jpg"
for order in II MM; do
    cp "$webp_dir/lossy.webp" "$work/exif-$order.webp"
    exiftool -q -overwrite_original -ExifByteOrder=$order -Make=Seed -Model=S1 \
        -DateTimeOriginal='2024:01:02 03:04:05' -GPSLatitude=1.5 -GPSLatitudeRef=S \
        -GPSLongitude=2.25 -GPSLongitudeRef=E -Copyright=Seed -InteropIndex=R98 \
        "-ThumbnailImage<=$work/thumbnail.jpg" "$work/exif-$order.webp"
    webpmux -get exif "$work/exif-$order.webp" -o "$work/exif-$order.bin" >/dev/null 2>&1
    { printf '\377'; cat "$work/exif-$order.bin"; } >"$exif_dir/thumbnail-$order.tiff"
done

# XMP packets with a location: one as exiftool writes it (a description for each namespace, a
# structure), one with properties as attributes, under another prefix and in the default
# namespace, and a place in a structure written as attributes.
exiftool -q -XMP-exif:GPSLatitude=51.5 -XMP-photoshop:City=London -XMP-iptcExt:LocationShownCity=Paris \
    -XMP-dc:Title=Seed -XMP-xmp:Rating=3 -o "$xmp_dir/exiftool.xmp"
cat >"$xmp_dir/attributes.xmp" <<'EOF'
<?xpacket begin="" id="W5M0MpCehiHzreSzNTczkc9d"?>
<x:xmpmeta xmlns:x="adobe:ns:meta/"><rdf:RDF xmlns:rdf="http://www.w3.org/1999/02/22-rdf-syntax-ns#">
<rdf:Description rdf:about="" xmlns:exif="http://ns.adobe.com/exif/1.0/" xmlns:xmp="http://ns.adobe.com/xap/1.0/"
 xmlns:Iptc4xmpExt="http://iptc.org/std/Iptc4xmpExt/2008-02-29/"
 exif:GPSLatitude="51,30.0N" xmp:Rating='3' exif:GPSLongitude="0,7.5W">
 <Iptc4xmpExt:LocationCreated><rdf:Bag><rdf:li><rdf:Description Iptc4xmpExt:City="London"/>
 </rdf:li></rdf:Bag></Iptc4xmpExt:LocationCreated>
</rdf:Description>
<rdf:Description rdf:about="" xmlns:e="http://ns.adobe.com/exif/1.0/" xmlns="http://ns.adobe.com/photoshop/1.0/">
 <e:GPSAltitude>12/1</e:GPSAltitude><City>Greenwich</City><Credit>Seed</Credit>
</rdf:Description>
</rdf:RDF></x:xmpmeta>
<?xpacket end="w"?>
EOF

# What was made: each PNG's bit depth, colour type and interlace method, and the sizes.
for file in "$png_dir"/*.png; do
    printf '%-24s depth %2d  colour type %d  interlace %d\n' "$(basename "$file")" \
        "$(od -An -tu1 -j24 -N1 "$file")" "$(od -An -tu1 -j25 -N1 "$file")" "$(od -An -tu1 -j28 -N1 "$file")"
done
du -sh "$webp_dir" "$png_dir" "$exif_dir" "$xmp_dir"
