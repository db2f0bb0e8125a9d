#!/usr/bin/env bash
# Every WebP conformance vector decodes, exit 0, to exactly the pixels its checksum names. The
# checksums hash dwebp's PPM (RGB) or PAM (RGBA) output, header included; we put the same header
# above the pixels of our PNG, as ImageMagick reads them, and compare.
source "$(dirname "$0")/lib.sh"

vectors=$CONFORMANCE_DIR
if [[ ! -f $vectors/libwebp_tests.md5 || ! -f $vectors/lossless_refs.md5 ]]; then
    echo "FAIL: the WebP conformance vectors are missing: expected them in $vectors" >&2
    exit 1
fi

# expected VECTOR EXT: the checksum listed for VECTOR.webp.EXT
expected() { cat "$vectors/libwebp_tests.md5" "$vectors/lossless_refs.md5" | awk -v n="$1.webp.$2" '$2 == n { print $1 }'; }

pixels_md5()
{
    local png=$1 kind=$2 size
    size=$($IM_IDENTIFY -format '%w %h' "$png")
    set -- $size
    if [[ $kind == ppm ]]; then
        { printf 'P6\n%s %s\n255\n' "$1" "$2"; $IM_CONVERT "$png" -depth 8 rgb:-; } | md5sum | cut -d' ' -f1
    else
        { printf 'P7\nWIDTH %s\nHEIGHT %s\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n' "$1" "$2"
          $IM_CONVERT "$png" -depth 8 rgba:-; } | md5sum | cut -d' ' -f1
    fi
}

count=0
while IFS=$'\t' read -r file kind _; do
    [[ $file == *.webp ]] || continue
    name=${file%.webp}
    count=$((count + 1))
    png=$scratch/$name.png
    if ! "$WEBP_DECODE" "$vectors/$file" -o "$png" 2>"$scratch/err"; then
        fail "$file: exit $?: $(cat "$scratch/err")"
        continue
    fi
    type=$(png_color_type "$png")
    # Alpha in the PNG exactly when the image has it: lossy files without ALPH never do; the
    # lossless_vec_1 series decodes to a half-transparent grid.
    case $kind in
        lossy) [[ $type == 2 ]] || fail "$file: colour type $type, expected RGB (2)" ;;
        lossy+alpha) [[ $type == 6 ]] || fail "$file: colour type $type, expected RGBA (6)" ;;
    esac
    [[ $name != lossless_vec_1_* || $type == 6 ]] || fail "$file: colour type $type, expected RGBA (6)"

    [[ $(pixels_md5 "$png" ppm) == "$(expected "$name" ppm)" ]] || fail "$file: RGB pixels differ"
    if [[ $type == 6 ]]; then
        [[ $(pixels_md5 "$png" pam) == "$(expected "$name" pam)" ]] || fail "$file: RGBA pixels differ"
    fi
    pass
done <"$vectors/MANIFEST.tsv"

[[ $count -ge 67 ]] || fail "only $count vectors listed in MANIFEST.tsv"
finish
