#!/usr/bin/env bash
# tevra-pack png: the BMP it writes (header fields as the player builds them, pixels as
# ImageMagick reads the PNG), its failures (exit 1, the decoder's reason, no file) and usage.
set -euo pipefail
pack=${1:?usage: png_command_test.sh path/to/tevra-pack}
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }
field() { od -An -t "$2" -j "$3" -N "$4" "$1" | tr -d ' '; }  # FILE TYPE OFFSET SIZE

"$root/scripts/make-png-samples" "$work/in" 13 7

# name, bits per pixel, biClrUsed, colour table entries
while read -r name bits used entries; do
  for variant in "$name" "$name-adam7"; do
    "$pack" png "$work/in/$variant.png" -o "$work/$variant.bmp" || fail "$variant: exit $?"
    bmp=$work/$variant.bmp
    [ "$(head -c 2 "$bmp")" = BM ] || fail "$variant: no BM signature"
    [ "$(field "$bmp" d4 18 4)" = 13 ] || fail "$variant: width"
    [ "$(field "$bmp" d4 22 4)" = -7 ] || fail "$variant: height is not -7 (top-down)"
    [ "$(field "$bmp" u2 28 2)" = "$bits" ] || fail "$variant: bit count $(field "$bmp" u2 28 2)"
    [ "$(field "$bmp" u4 46 4)" = "$used" ] || fail "$variant: biClrUsed $(field "$bmp" u4 46 4)"
    stride=$(( (13 * bits + 31) / 32 * 4 ))
    [ "$(field "$bmp" u4 10 4)" = $((54 + 4 * entries)) ] || fail "$variant: pixel offset"
    [ "$(stat -c %s "$bmp")" = $((54 + 4 * entries + 7 * stride)) ] || fail "$variant: file size"
  done
done <<'TABLE'
grey1 1 2 2
grey2 4 4 4
grey4 4 16 16
grey8 8 256 256
grey16 8 256 256
indexed1 1 0 2
indexed2 4 0 16
indexed4 4 0 16
indexed8 8 0 256
rgb8 24 0 0
rgb16 24 0 0
greyalpha8 8 256 256
greyalpha16 8 256 256
rgba8 32 0 0
rgba16 32 0 0
TABLE

# 8-bit samples need no reduction: ImageMagick must see the same pixels in the BMP.
for variant in grey1 grey2 grey4 grey8 indexed1 indexed2 indexed4 indexed8 rgb8 rgb8-adam7 \
  indexed2-adam7 grey1-adam7; do
  diff=$(compare -metric AE "$work/in/$variant.png" "$work/$variant.bmp" null: 2>&1) || true
  [ "$diff" = 0 ] || fail "$variant: $diff pixels differ from the PNG"
done

# Failures: exit 1, the reason on stderr, no output file.
printf 'not a png at all' >"$work/junk.png"
head -c 100 "$work/in/rgb8.png" >"$work/cut.png"
cp "$work/in/rgb8.png" "$work/method7.png"  # zlib compression method 7 in the first IDAT
idat=$(grep -abo IDAT "$work/method7.png" | head -1 | cut -d: -f1)
printf '\x77' | dd of="$work/method7.png" bs=1 seek=$((idat + 4)) conv=notrunc status=none
for bad in junk cut method7 missing; do
  set +e
  err=$("$pack" png "$work/$bad.png" -o "$work/$bad.bmp" 2>&1 >/dev/null)
  status=$?
  set -e
  [ $status = 1 ] || fail "$bad: exit $status, want 1"
  [ ! -e "$work/$bad.bmp" ] || fail "$bad: an output file was written"
  [ -n "$err" ] || fail "$bad: no reason printed"
done
err=$("$pack" png "$work/junk.png" -o "$work/x.bmp" 2>&1) || true
[[ $err == *PngErrInvalid* ]] || fail "junk: the decoder's error is not named: $err"
err=$("$pack" png "$work/method7.png" -o "$work/x.bmp" 2>&1) || true
[[ $err == *"couldn't decode PNG resource"* ]] || fail "method7: not the player's message: $err"

# Usage.
set +e
"$pack" png >/dev/null 2>&1; [ $? = 2 ] || fail "no arguments: want exit 2"
"$pack" png "$work/in/rgb8.png" >/dev/null 2>&1; [ $? = 2 ] || fail "no -o: want exit 2"
"$pack" png a.png b.png -o c.bmp >/dev/null 2>&1; [ $? = 2 ] || fail "two inputs: want exit 2"
set -e
"$pack" png --help | grep -q 'usage: tevra-pack png' || fail "--help"
echo "png command: all checks passed"
