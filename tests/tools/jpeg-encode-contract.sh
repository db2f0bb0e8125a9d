#!/usr/bin/env bash
# jpeg-encode: where the JPG goes and when it is refused. The output sits beside the input; an
# existing JPG is kept unless -overwrite is given; bad arguments, bad PNGs and a folder that
# takes no new file give a non-zero exit and leave no JPG and no temporary file behind.
source "$(dirname "$0")/lib.sh"

work=$scratch/work
mkdir -p "$work"
$IM_CONVERT -size 64x48 gradient:yellow-navy "$scratch/sample.png"

is_jpeg() { [[ $(head -c 3 "$1" | od -An -tx1 | xargs) == "ff d8 ff" ]]; }

# encodes WHAT PNG JPG [OPTIONS...]: exit 0 and a JPEG at JPG, and no other new file.
encodes()
{
    local what=$1 png=$2 jpg=$3; shift 3
    local before
    before=$(entries "$(dirname "$png")")
    if ! "$JPEG_ENCODE" -q 80 -out jpeg "$@" "$png" 2>"$scratch/err"; then
        fail "$what: $(cat "$scratch/err")"
    elif ! is_jpeg "$jpg"; then
        fail "$what: no JPEG at $jpg"
    elif [[ $(entries "$(dirname "$png")") -ne $((before + 1)) && ! " $* " =~ " -overwrite " ]]; then
        fail "$what: more than the JPG was left: $(ls -A "$(dirname "$png")")"
    else
        pass
    fi
}

# refused WHAT ARGS...: non-zero exit, one line of reason at least, and the folder unchanged.
refused()
{
    local what=$1; shift
    local before
    before=$(entries "$work")
    if "$JPEG_ENCODE" "$@" 2>"$scratch/err"; then
        fail "$what: exit 0"
    elif [[ ! -s $scratch/err ]]; then
        fail "$what: no reason given"
    elif [[ $(entries "$work") -ne $before ]]; then
        fail "$what: the folder changed: $(ls -A "$work")"
    else
        pass
    fi
}

# The output name: a final ".png" in any letter case becomes ".jpg"; any other name gets ".jpg".
for pair in "photo.png:photo.jpg" "PHOTO2.PNG:PHOTO2.jpg" "image.webp.png:image.webp.jpg" \
            "noext:noext.jpg" "notes.png.txt:notes.png.txt.jpg" ".png:.png.jpg"; do
    cp "$scratch/sample.png" "$work/${pair%%:*}"
    encodes "output name of ${pair%%:*}" "$work/${pair%%:*}" "$work/${pair##*:}"
done
rm -rf "${work:?}"/* "$work"/.png*

# An existing output is kept unless -overwrite is given.
cp "$scratch/sample.png" "$work/keep.png"
echo "keep me" >"$work/keep.jpg"
refused "existing output" -q 80 -out jpeg "$work/keep.png"
check "existing output unchanged" grep -qx "keep me" "$work/keep.jpg"
encodes "-overwrite replaces it" "$work/keep.png" "$work/keep.jpg" -overwrite
check "-overwrite leaves just the two files" test "$(entries "$work")" -eq 2
rm -f "$work"/*

# Quality: a whole number from 1 to 100, nothing else.
cp "$scratch/sample.png" "$work/q.png"
for quality in 0 101 -5 abc "" 85.5 " 85" 1e2 0x50 +85; do
    refused "quality '$quality'" -q "$quality" -out jpeg "$work/q.png"
done
for quality in 1 100 050; do
    "$JPEG_ENCODE" -q "$quality" -out jpeg "$work/q.png" 2>/dev/null && is_jpeg "$work/q.jpg" &&
        pass || fail "quality $quality refused"
    rm -f "$work/q.jpg"
done

# Arguments that do not fit.
refused "no arguments"
refused "no quality" -out jpeg "$work/q.png"
refused "no format" -q 80 "$work/q.png"
refused "another format" -q 80 -out png "$work/q.png"
refused "unknown option" -q 80 -out jpeg -fast "$work/q.png"
refused "quality without value" -out jpeg -q "$work/q.png"

# PNGs that cannot be read: missing, not a PNG, cut short, a damaged byte in the image data, a
# folder. (IDAT's CRC catches the damaged byte.)
refused "missing PNG" -q 80 -out jpeg "$work/missing.png"
echo "not an image at all" >"$work/text.png"
refused "text named .png" -q 80 -out jpeg "$work/text.png"
$IM_CONVERT -size 300x200 plasma:fractal -define png:compression-level=0 "$scratch/big.png"
head -c $(($(stat -c %s "$scratch/big.png") / 2)) "$scratch/big.png" >"$work/cut.png"
refused "truncated PNG" -q 80 -out jpeg "$work/cut.png"
cp "$scratch/big.png" "$work/flipped.png"
printf '\x55' | dd of="$work/flipped.png" bs=1 seek=$(($(stat -c %s "$scratch/big.png") / 2)) conv=notrunc 2>/dev/null
refused "damaged byte" -q 80 -out jpeg "$work/flipped.png"
mkdir "$work/folder.png"
refused "folder named .png" -q 80 -out jpeg "$work/folder.png"
check "folder named .png: says why" grep -q "folder.png is a folder, not a file" "$scratch/err"
rm -rf "${work:?}"/*

# The output already exists as a folder: -overwrite cannot replace it, and nothing else changes.
cp "$scratch/sample.png" "$work/dir.png"
mkdir "$work/dir.jpg"
refused "output is a folder" -q 80 -out jpeg -overwrite "$work/dir.png"
rm -rf "${work:?}"/*

# A folder that takes no new file. Root writes into read-only folders, so as root the tool runs
# as "nobody" (setpriv drops the privileges); the PNG itself stays readable.
locked=$scratch/locked
mkdir "$locked"
cp "$scratch/sample.png" "$locked/in.png"
chmod 755 "$scratch"
chmod 555 "$locked"
chmod 644 "$locked/in.png"
run_as_user=()
if windows_tools; then
    # Wine will not run in a prefix of another user, and the folder's mode does not stop root.
    skip "unwritable folder: Unix permissions mean nothing to Windows tools run as root"
elif [[ $(id -u) -eq 0 ]]; then
    if command -v setpriv >/dev/null && setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
        run_as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    else
        echo "SKIP: unwritable folder: running as root without setpriv" >&2
    fi
fi
if ! windows_tools && [[ $(id -u) -ne 0 || ${#run_as_user[@]} -gt 0 ]]; then
    if "${run_as_user[@]}" "$JPEG_ENCODE" -q 80 -out jpeg "$locked/in.png" 2>"$scratch/err"; then
        fail "unwritable folder: exit 0"
    else
        check "unwritable folder: reason names the folder" grep -q "$locked" "$scratch/err"
        check "unwritable folder: nothing written" test "$(entries "$locked")" -eq 1
    fi
fi
chmod 755 "$locked"

# A path longer than Windows's MAX_PATH (260 characters), in Cyrillic and Chinese letters: the
# JPG is made beside the PNG, kept without -overwrite, and replaced with it.
long=$work/$(printf 'Фотографии%.0s' {1..10})/$(printf '照片文件夹%.0s' {1..16})/$(printf 'Отпуск%.0s' {1..12})
photo="$long/снимок 写真"
mkdir -p "$long"
cp "$scratch/sample.png" "$photo.png"
encodes "long path" "$photo.png" "$photo.jpg"
cp "$photo.jpg" "$scratch/first.jpg"
refused "long path: existing JPG" -q 80 -out jpeg "$photo.png"
check "long path: existing JPG unchanged" cmp -s "$photo.jpg" "$scratch/first.jpg"
encodes "long path: -overwrite" "$photo.png" "$photo.jpg" -overwrite -q 20
check "long path: -overwrite replaced the JPG" test "$(cksum <"$photo.jpg")" != "$(cksum <"$scratch/first.jpg")"
check "long path: just the PNG and the JPG" test "$(entries "$long")" -eq 2
rm -rf "${work:?}"/*

# Names with blanks, quotes, a leading dash, a line break and non-Latin letters. Windows names
# hold no double quote and no line break.
odd=$'-y \'q\" \xce\xbb\xe5\x90\x8d\nline'
windows_tools && odd=${odd//[\"$'\n']/_}
cp "$scratch/sample.png" "$work/$odd.png"
if (cd "$work" && "$JPEG_ENCODE" -q 80 -out jpeg "$odd.png" 2>"$scratch/err"); then
    check "odd name: JPG beside it" is_jpeg "$work/$odd.jpg"
else
    fail "odd name: $(cat "$scratch/err")"
fi

finish
