#!/usr/bin/env bash
# webp-decode: what it promises around the pixels. Wrong arguments get the usage line; a file
# that cannot be decoded gets a non-zero exit and leaves nothing behind; any path works; the
# ICC profile and EXIF block reach the PNG; an animation gives its composed first frame.
source "$(dirname "$0")/lib.sh"

in=$scratch/in
out=$scratch/out
mkdir -p "$in" "$out"
$IM_CONVERT -size 160x120 gradient:red-blue "$in/source.png"
cwebp -quiet -q 90 "$in/source.png" -o "$in/good.webp"

# decode_fails WHAT INPUT: non-zero exit within 10 s, a one-line reason, and the output folder
# stays empty.
decode_fails()
{
    local what=$1 input=$2 status=0
    timeout 10 "$WEBP_DECODE" "$input" -o "$out/result.png" 2>"$scratch/err" || status=$?
    if [[ $status -eq 0 ]]; then
        fail "$what: exit 0"
    elif [[ $status -eq 124 ]]; then
        fail "$what: still running after 10 s"
    elif [[ $(wc -l <"$scratch/err") -ne 1 ]]; then
        fail "$what: expected one line on standard error, got: $(cat "$scratch/err")"
    elif [[ $(entries "$out") -ne 0 ]]; then
        fail "$what: left files behind: $(ls -A "$out")"
    else
        pass
    fi
    rm -rf "${out:?}"/* "$out"/.[!.]* 2>/dev/null
}

# Wrong arguments: the usage line on standard error and a non-zero exit.
for args in "" "$in/good.webp" "$in/good.webp -o" "$in/good.webp -x $out/a.png" \
            "$in/good.webp -o $out/a.png extra" "-o $out/a.png $in/good.webp"; do
    # shellcheck disable=SC2086 # the words are the arguments
    if "$WEBP_DECODE" $args 2>"$scratch/err"; then
        fail "arguments '$args': exit 0"
    else
        check "arguments '$args': usage line" grep -qx 'Usage: webp-decode in_file \[options\] \[-o out_file\]' "$scratch/err"
    fi
done
check "nothing written for wrong arguments" test "$(entries "$out")" -eq 0

# Inputs that are not decodable WebP files.
: >"$in/empty.webp"
head -c $(($(stat -c %s "$in/good.webp") / 2)) "$in/good.webp" >"$in/truncated.webp"
head -c 30 "$in/good.webp" >"$in/header-only.webp"
cp "$in/source.png" "$in/png-inside.webp"
echo "just some text, not an image" >"$in/text.webp"
mkdir "$in/folder.webp"
# A RIFF WEBP file whose VP8 chunk holds noise.
{ head -c 20 "$in/good.webp"; head -c 4000 /dev/urandom; } >"$in/noise.webp"
for name in empty truncated header-only png-inside text noise; do
    decode_fails "$name.webp" "$in/$name.webp"
done
decode_fails "folder.webp" "$in/folder.webp"
check "folder.webp: says why" grep -q "folder.webp is a folder, not a file" "$scratch/err"
decode_fails "a missing file" "$in/no-such-file.webp"

# Only regular files are read: a FIFO with no writer must not block the open, and an endless
# device behind a .webp name must not be read until memory runs out. Windows programs see no
# FIFOs or Unix devices; there the null device stands for the devices.
if windows_tools; then
    skip "FIFO and /dev/zero inputs: a Windows program sees neither"
    decode_fails "the NUL device" NUL
    check "NUL: says why" grep -q "NUL: not a regular file" "$scratch/err"
else
    mkfifo "$in/pipe.webp"
    ln -s /dev/zero "$in/zero.webp"
    for name in pipe zero; do
        decode_fails "$name.webp" "$in/$name.webp"
        check "$name.webp: says why" grep -q "$name.webp: not a regular file" "$scratch/err"
    done
fi

# An output that cannot be created: its folder is a regular file, or does not exist.
if "$WEBP_DECODE" "$in/good.webp" -o "$in/source.png/result.png" 2>/dev/null; then
    fail "output inside a file: exit 0"
else
    pass
fi
if "$WEBP_DECODE" "$in/good.webp" -o "$scratch/no-folder/result.png" 2>/dev/null; then
    fail "output in a missing folder: exit 0"
else
    check "nothing made for a missing folder" test ! -e "$scratch/no-folder"
fi

# An existing output file is replaced whole; a good decode leaves no temporary file.
echo "old" >"$out/result.png"
check "decodes over an existing file" "$WEBP_DECODE" "$in/good.webp" -o "$out/result.png"
check "the replaced file is the new PNG" test "$(png_color_type "$out/result.png")" = 2
check "only the PNG is left" test "$(entries "$out")" -eq 1
rm -f "$out/result.png"

# Names with blanks, quotes, a leading dash, a line break and non-Latin letters, as input and
# output (an input that begins with a dash is still the input: arguments are read by position).
# Windows names hold no double quote and no line break.
odd=$'-x \'q\" \xce\xbb\xe5\x90\x8d\nline.webp'
windows_tools && odd=${odd//[\"$'\n']/_}
cp "$in/good.webp" "$in/$odd"
if (cd "$in" && "$WEBP_DECODE" "$odd" -o "$out/$odd.png" 2>"$scratch/err"); then
    check "odd name: output written" test -f "$out/$odd.png"
    check "odd name: pixels" near "$(pixel "$out/$odd.png" 0 0)" "$(pixel "$in/source.png" 0 0)" 12
else
    fail "odd name: $(cat "$scratch/err")"
fi

# A path longer than Windows's MAX_PATH (260 characters), in Cyrillic and Chinese letters, as
# input and output.
long=$out/$(printf 'Фотографии%.0s' {1..10})/$(printf '照片文件夹%.0s' {1..16})/$(printf 'Отпуск%.0s' {1..12})
mkdir -p "$long"
cp "$in/good.webp" "$long/снимок 写真.webp"
if "$WEBP_DECODE" "$long/снимок 写真.webp" -o "$long/снимок 写真.png" 2>"$scratch/err"; then
    check "long path: pixels" near "$(pixel "$long/снимок 写真.png" 0 0)" "$(pixel "$in/source.png" 0 0)" 12
    check "long path: only the PNG is added" test "$(entries "$long")" -eq 2
else
    fail "long path: $(cat "$scratch/err")"
fi
rm -rf "${out:?}"/*

# The ICC profile and the EXIF block reach the PNG byte for byte, before the image data. The
# EXIF block is stored once plainly and once with the "Exif\0\0" prefix some writers add.
"$TOOLS_PROBE" make-icc 3000 "$in/profile.icc"
printf 'MM\0\x2a\0\0\0\x08\0\0\0\0\0\0' >"$in/exif.bin"
printf 'Exif\0\0' | cat - "$in/exif.bin" >"$in/exif-prefixed.bin"
for exif in exif exif-prefixed; do
    webpmux -set icc "$in/profile.icc" "$in/good.webp" -o "$in/icc.webp" &>/dev/null
    webpmux -set exif "$in/$exif.bin" "$in/icc.webp" -o "$in/meta.webp" &>/dev/null
    if "$WEBP_DECODE" "$in/meta.webp" -o "$out/meta.png" 2>"$scratch/err"; then
        "$TOOLS_PROBE" png-chunk "$out/meta.png" iCCP "$scratch/icc.out"
        "$TOOLS_PROBE" png-chunk "$out/meta.png" eXIf "$scratch/exif.out"
        check "$exif: ICC profile identical" cmp -s "$in/profile.icc" "$scratch/icc.out"
        check "$exif: EXIF block identical" cmp -s "$in/exif.bin" "$scratch/exif.out"
        check "$exif: metadata before the image data" test \
            "$("$TOOLS_PROBE" png-chunks "$out/meta.png" | tr '\n' ' ')" = "IHDR iCCP eXIf IDAT IEND "
    else
        fail "$exif: $(cat "$scratch/err")"
    fi
done

# An animation gives its first frame: a red frame first, then a blue one. An opaque first frame
# gives an RGB PNG.
$IM_CONVERT -size 64x48 xc:red "$in/red.png"
$IM_CONVERT -size 64x48 xc:blue "$in/blue.png"
img2webp -lossless "$in/red.png" -d 100 "$in/blue.png" -o "$in/anim.webp" 2>/dev/null
if "$WEBP_DECODE" "$in/anim.webp" -o "$out/anim.png" 2>"$scratch/err"; then
    check "animation: canvas size" test "$($IM_IDENTIFY -format '%wx%h' "$out/anim.png")" = 64x48
    check "animation: first frame is red" test "$(pixel "$out/anim.png" 5 5)" = "255 0 0"
    check "animation: opaque frame gives RGB" test "$(png_color_type "$out/anim.png")" = 2
else
    fail "animation: $(cat "$scratch/err")"
fi
# A first frame smaller than its canvas lies in its place on transparent black.
$IM_CONVERT -size 2x2 'xc:rgb(0,200,0)' "$in/green.png"
cwebp -quiet -lossless -exact "$in/green.png" -o "$in/green.webp"
"$TOOLS_PROBE" webp-animation "$in/green.webp" 6 5 "$out/placed.webp" 2 2
if "$WEBP_DECODE" "$out/placed.webp" -o "$out/placed.png" 2>"$scratch/err"; then
    check "placed frame: RGBA on its canvas" test "$(png_color_type "$out/placed.png") \
$($IM_IDENTIFY -format '%wx%h' "$out/placed.png")" = "6 6x5"
    rgba() { $IM_CONVERT "$out/placed.png" -crop "1x1+$1+$2" +repage -depth 8 rgba:- | od -An -tu1 | xargs; }
    check "placed frame: its pixels" test "$(rgba 2 2),$(rgba 3 3)" = "0 200 0 255,0 200 0 255"
    check "placed frame: the canvas around it" test "$(rgba 1 2),$(rgba 4 2),$(rgba 2 1),$(rgba 3 4),$(rgba 5 4)" = \
        "0 0 0 0,0 0 0 0,0 0 0 0,0 0 0 0,0 0 0 0"
else
    fail "placed frame: $(cat "$scratch/err")"
fi
# A first frame with transparency keeps it.
$IM_CONVERT -size 64x48 xc:'rgba(0,255,0,0.5)' "$in/translucent.png"
img2webp -lossless "$in/translucent.png" -d 100 "$in/blue.png" -o "$in/anim-alpha.webp" 2>/dev/null
if "$WEBP_DECODE" "$in/anim-alpha.webp" -o "$out/anim-alpha.png" 2>"$scratch/err"; then
    check "animation with alpha gives RGBA" test "$(png_color_type "$out/anim-alpha.png")" = 6
else
    fail "animation with alpha: $(cat "$scratch/err")"
fi

finish
