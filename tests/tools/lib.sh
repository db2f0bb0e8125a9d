# Shared by the tool test scripts: a scratch folder, checks that count failures, and pixel
# reading through ImageMagick.
#
# WEBP_DECODE and JPEG_ENCODE (and CONVERT_WORKER, which only its own script needs) may name the
# Windows builds of the tools (.exe), with TOOL_RUNNER the command that runs them here (such as
# /usr/lib/wine/wine64). TOOLS_PROBE stays a program of this machine.
set -u
IM_CONVERT=convert-im6.q16
IM_IDENTIFY=identify-im6.q16
for tool in "$WEBP_DECODE" "$JPEG_ENCODE" "$TOOLS_PROBE" ${CONVERT_WORKER:+"$CONVERT_WORKER"}; do
    [[ -x $tool ]] || { echo "missing program: $tool" >&2; exit 1; }
done
for tool in $IM_CONVERT $IM_IDENTIFY cwebp webpmux img2webp; do
    command -v "$tool" >/dev/null || { echo "missing program: $tool (apt packages imagemagick, webp)" >&2; exit 1; }
done

scratch=$(mktemp -d)
runners=$(mktemp -d)
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch" "$runners"' EXIT

# windows_tools: the tools under test are Windows programs.
windows_tools() { [[ $WEBP_DECODE_PROGRAM == *.exe ]]; }
WEBP_DECODE_PROGRAM=$WEBP_DECODE
# Each tool is called through a small script that puts TOOL_RUNNER before it, so every call
# stays "$WEBP_DECODE" ARGUMENTS, under timeout too.
if [[ -n ${TOOL_RUNNER:-} ]]; then
    for tool in WEBP_DECODE JPEG_ENCODE ${CONVERT_WORKER:+CONVERT_WORKER}; do
        printf '#!/usr/bin/env bash\nexec %s %q "$@"\n' "$TOOL_RUNNER" "${!tool}" >"$runners/$tool"
        chmod +x "$runners/$tool"
        declare "$tool=$runners/$tool"
    done
elif windows_tools; then
    echo "the tools are Windows programs: set TOOL_RUNNER to what runs them (such as wine64)" >&2
    exit 1
fi
failures=0
checks=0

fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { checks=$((checks + 1)); }
# check DESCRIPTION COMMAND...: the command must succeed.
check() { local what=$1; shift; if "$@"; then pass; else fail "$what"; fi; }

skip() { echo "SKIP: $*" >&2; }

finish()
{
    echo "$checks passed, $failures failed"
    [[ $failures -eq 0 ]]
}

# entries FOLDER: how many entries the folder holds, hidden ones included (names may hold
# blanks or line breaks, so they are counted, not listed).
entries() { find "$1" -mindepth 1 -maxdepth 1 -printf x | wc -c; }

# pixel FILE X Y: "R G B" of one pixel, 8 bits a channel.
pixel()
{
    $IM_CONVERT "$1" -crop "1x1+$2+$3" +repage -depth 8 rgb:- | od -An -tu1 | xargs
}

# near "R G B" "R G B" TOLERANCE: every channel within the tolerance.
near()
{
    local -a a=($1) b=($2)
    local i d
    for i in 0 1 2; do
        d=$((a[i] - b[i]))
        [[ ${d#-} -le $3 ]] || return 1
    done
}

# IHDR fields of a PNG file: bit depth, colour type (2 RGB, 6 RGBA, ...), interlace method.
png_bit_depth() { od -An -tu1 -j24 -N1 "$1" | xargs; }
png_color_type() { od -An -tu1 -j25 -N1 "$1" | xargs; }
png_interlace() { od -An -tu1 -j28 -N1 "$1" | xargs; }
