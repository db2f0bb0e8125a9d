#!/usr/bin/env bash
# orvalin-convert.exe under Wine, started in the program's folder as a user starts it from a
# console there, with no X display and no libraries but the folder's own:
# - it converts a WebP file whose name is not ASCII, given by its Z: path, into the --output
#   folder, ends with status 0, and its --json line names both files in UTF-8;
# - in a console (a terminal here, which Wine makes one of) the name shows as it is;
# - a wrong option ends with status 2, a file that is not WebP with 1;
# - Ctrl+C (SIGINT, which Wine hands the program as a console's Ctrl+C) stops a run with status
#   130 and leaves no working folder behind.
# Run by scripts/windows-test, which provides the Wine prefix and its variables.
# Usage: windows-console.sh PROGRAM_FOLDER
set -euo pipefail
folder=$1
wine=/usr/lib/wine/wine64
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
windows_path() { echo "Z:${1//\//\\}"; }
json_path() { local path; path=$(windows_path "$1"); echo "${path//\\/\\\\}"; }
temp_folders() { find "$WINEPREFIX"/drive_c/users/*/Temp -maxdepth 1 -name 'orvalin-run-*'; }
program=(env -C "$folder" -u DISPLAY -u WINEPATH "$wine" ./orvalin-convert.exe)

name='Ünïcödé 日本'
mkdir "$work/out" "$work/big" "$work/big-out"
convert-im6.q16 -size 64x48 gradient:orange-navy "$work/small.png"
cwebp -quiet "$work/small.png" -o "$work/$name.webp"
echo "not a picture" >"$work/fake.webp"

status=0
"${program[@]}" --json --output "$(windows_path "$work/out")" "$(windows_path "$work/$name.webp")" \
  >"$work/stdout" 2>"$work/stderr" || status=$?
[[ $status -eq 0 ]] || fail "status $status: $(cat "$work/stderr")"
[[ $(identify-im6.q16 -format '%m %wx%h' "$work/out/$name.jpg") == "JPEG 64x48" ]] ||
  fail "no 64x48 JPEG named $name.jpg in the output folder: $(ls "$work/out")"
expected="{\"source\":\"$(json_path "$work/$name.webp")\",\"output\":\"$(json_path "$work/out/$name.jpg")\",\"result\":\"converted\","
[[ $(tr -d '\r' <"$work/stdout") == "$expected"* ]] ||
  fail "the JSON line is $(cat "$work/stdout"), not one beginning $expected"

command=$(printf '%q ' "${program[@]}" --dry-run "$(windows_path "$work/$name.webp")")
SHELL=/bin/bash script -q -e -c "$command" /dev/null </dev/null >"$work/console" ||
  fail "the dry run in a console failed: $(cat -v "$work/console")"
grep -qF "$name.jpg" "$work/console" || fail "the console shows $(cat -v "$work/console")"

status=0
"${program[@]}" --quality 0 "$(windows_path "$work/$name.webp")" 2>"$work/stderr" || status=$?
[[ $status -eq 2 ]] || fail "--quality 0 ended with status $status, not 2"
grep -q -- '--quality' "$work/stderr" || fail "the refusal does not name --quality: $(cat "$work/stderr")"

status=0
"${program[@]}" --output "$(windows_path "$work/out")" "$(windows_path "$work/fake.webp")" \
  2>"$work/stderr" || status=$?
[[ $status -eq 1 ]] || fail "a file that is not WebP ended with status $status, not 1"
[[ ! -e $work/out/fake.jpg ]] || fail "a JPG was written for a file that is not WebP"

# Ctrl+C once the first of sixty large pictures is saved, one at a time.
convert-im6.q16 -size 2000x1500 xc:gray +noise Random "$work/big.png"
cwebp -quiet "$work/big.png" -o "$work/big/0.webp"
for i in $(seq 1 59); do ln "$work/big/0.webp" "$work/big/$i.webp"; done
"${program[@]}" --jobs 1 --output "$(windows_path "$work/big-out")" "$(windows_path "$work/big")" \
  2>"$work/stderr" &
run=$!
timeout 60 bash -c "until compgen -G '$work/big-out/*.jpg' >/dev/null; do sleep 0.2; done" ||
  fail "no picture was converted: $(cat "$work/stderr")"
kill -INT "$run"
status=0
wait "$run" || status=$?
[[ $status -eq 130 ]] || fail "Ctrl+C ended the run with status $status, not 130"
[[ -z $(temp_folders) ]] || fail "a working folder outlived Ctrl+C: $(temp_folders)"
echo "converted a file named $name, refused a wrong option and a file that is not WebP," \
  "stopped at Ctrl+C"
