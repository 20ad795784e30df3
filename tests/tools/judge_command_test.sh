#!/usr/bin/env bash
# tevra-pack judge: the words an author sees, the batch format (one output line
# per input line, in order) and its error lines.
set -euo pipefail
pack=${1:?usage: judge_command_test.sh path/to/tevra-pack}

fail() { echo "FAIL: $*"; exit 1; }

expect_word() {
  local got
  got=$("$pack" judge "$1" "$2") || fail "judge '$1' '$2' exited $?"
  [ "$got" = "$3" ] || fail "judge '$1' '$2': got '$got', want '$3'"
}

expect_word ROI "roi " BRAVO
expect_word ROI "   " "?"
expect_word "ÉTÉ" "été" BRAVO
expect_word "ÉTÉ" "ete" FAUX
expect_word "ŒUVRE" "œuvre" BRAVO
expect_word PARIS PAIRS Anagramme
expect_word "CHRISTOPHE COLOMB" "CHRISTOPHE CO" "Pas loin"
expect_word "LEONARD DE VINCI" "LEONARDO DA VINCCI" "y a de l'idée"
# The accepted answer is not trimmed: the player never trims it.
expect_word "PARIS " "PARIS" Quasiment

a259=$(printf 'A%.0s' $(seq 259))
e130=$(printf 'é%.0s' $(seq 130))  # 260 bytes of UTF-8, 130 in code page 1252
expect_word "$a259" "$a259" BRAVO
expect_word "$e130" "$e130" BRAVO
"$pack" judge "${a259}A" A >/dev/null 2>&1 && fail "a 260-byte text was judged"
"$pack" judge PARIS "☃" >/dev/null 2>&1 && fail "a text outside code page 1252 was judged"

input=$(printf '%s\n' \
  $'PARIS\tparis\r' \
  $'PARIS\tPARISSS' \
  'no tab here' \
  $'A\tB\tC' \
  '' \
  $'\tX' \
  $'中\tX' \
  $'PARIS\t\xff' \
  "${a259}A"$'\tA' \
  $'A\t'"${a259}A" \
  $'ROI\t'"$a259" \
  $'\r')
# $(...) dropped the last line feed; the last line gets none.
input+=$'\nLEONARD DE VINCI\tLEONARDO DA VINCCI'
want="BRAVO
Presque
error: expected exactly one TAB between the expected and the typed text
error: expected exactly one TAB between the expected and the typed text
error: expected exactly one TAB between the expected and the typed text
FAUX
error: expected text: character U+4E2D is not in code page 1252
error: typed text: invalid UTF-8 at byte 0
error: expected text: longer than 259 bytes in code page 1252
error: typed text: longer than 259 bytes in code page 1252
FAUX
error: expected exactly one TAB between the expected and the typed text
y a de l'idée"
set +e
got=$(printf '%s' "$input" | "$pack" judge --batch)
status=$?
set -e
[ "$status" -eq 1 ] || fail "batch with error lines exited $status"
[ "$got" = "$want" ] || fail "batch output:
$got"

got=$(printf 'PARIS\tPARI\r\nROME\tROMA\r\n' | "$pack" judge --batch) || fail "clean batch failed"
[ "$got" = $'Quasiment\nQuasiment' ] || fail "clean batch output: $got"
[ -z "$("$pack" judge --batch </dev/null)" ] || fail "empty batch printed something"

"$pack" judge --help | grep -q 'usage: tevra-pack judge' || fail "--help"
set +e
"$pack" judge >/dev/null 2>&1; [ $? -eq 2 ] || fail "no arguments is not a usage error"
"$pack" judge A B C >/dev/null 2>&1; [ $? -eq 2 ] || fail "three arguments is not a usage error"
set -e
echo "tevra-pack judge prints the player's words"
