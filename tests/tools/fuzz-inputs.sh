#!/usr/bin/env bash
# The fuzz targets' inputs through the real tools: every seed (a whole, valid file) converts,
# and no input that once made a target crash (tests/fuzz/regressions/) makes a tool die by a
# signal or a sanitizer's abort; a clean failure with an exit code is fine for those.
source "$(dirname "$0")/lib.sh"

# In a sanitizer build, make the tools abort on their first report so the exit status shows it.
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}abort_on_error=1
export UBSAN_OPTIONS=${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}halt_on_error=1:abort_on_error=1

# status COMMAND...: the command's exit status (128 and above: it died by a signal).
status() { "$@" >/dev/null 2>"$scratch/err"; echo $?; }

# expect KIND INPUT STATUS: a seed must convert (0); a regression input must exit by itself.
expect()
{
    local kind=$1 input=$2 got=$3
    if [[ $kind == seed && $got -ne 0 ]] || [[ $got -ge 128 ]]; then
        fail "$input: exit status $got: $(head -c 2000 "$scratch/err")"
    else
        pass
    fi
}

# inputs FORMAT: a "seed PATH" or "regression PATH" line for each input of that format.
inputs()
{
    local file
    for file in "$FUZZ_DIR/corpus/$1"/*; do [[ -f $file ]] && echo "seed $file"; done
    for file in "$FUZZ_DIR/regressions/$1"/*; do [[ -f $file ]] && echo "regression $file"; done
}

while read -r kind input; do
    expect "$kind" "$input" "$(status "$WEBP_DECODE" "$input" -o "$scratch/out.png")"
done < <(inputs webp)

# A PNG input ends in the byte fuzz-png-to-jpeg takes its quality from; the tool reads up to
# IEND and never sees it. jpeg-encode writes beside its input, so each runs on a copy.
while read -r kind input; do
    quality=$((1 + ($(tail -c 1 "$input" | od -An -tu1) & 127) % 100))
    cp "$input" "$scratch/in.png"
    expect "$kind" "$input" \
        "$(status "$JPEG_ENCODE" -q "$quality" -out jpeg -overwrite "$scratch/in.png")"
done < <(inputs png)

check "the seed corpus is in $FUZZ_DIR" test "$(find "$FUZZ_DIR/corpus" -type f | wc -l)" -gt 0
finish
