#!/usr/bin/env bash
# The Wine runner must refuse what is not an x86-64 PE: an i686 .exe under wine64
# prints nothing and exits 0, which would pass silently.
set -euo pipefail
runner=${1:?usage: wine_exec_test.sh path/to/wine-exec}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=$work DISPLAY=:0

# A minimal header: "MZ", e_lfanew = 64, "PE\0\0", then the machine field.
make_pe() {
  { printf 'MZ'; head -c 58 /dev/zero; printf '\x40\x00\x00\x00'; printf 'PE\x00\x00'; printf "$2"; } > "$1"
}

fail() { echo "FAIL: $*"; exit 1; }

make_pe "$work/i686.exe" '\x4c\x01'
out=$("$runner" "$work/i686.exe" 2>&1) && fail "i686 PE accepted"
grep -q "not an x86-64 PE" <<<"$out" || fail "i686 PE refused with: $out"

printf 'not a program' > "$work/text.exe"
out=$("$runner" "$work/text.exe" 2>&1) && fail "text file accepted"
grep -q "not a Windows executable" <<<"$out" || fail "text file refused with: $out"

head -c 10 /dev/zero > "$work/short.exe"
"$runner" "$work/short.exe" >/dev/null 2>&1 && fail "truncated file accepted"

(unset WINEPREFIX; "$runner" "$work/i686.exe" >/dev/null 2>&1) && fail "ran without a Wine session"
echo "wine-exec refuses non-x86-64 programs"
