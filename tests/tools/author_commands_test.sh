#!/usr/bin/env bash
# The commands an author starts with: new (a quiz that checks and builds as it
# stands), import (a spreadsheet's questions), inspect QUIZ.exe, play (with a
# stand-in for Wine: the real one is tried by play_wine_test.sh), --version
# and --help.
set -euo pipefail
program=${1:?usage: author_commands_test.sh path/to/tevra-pack}
source "$(dirname "$0")/command_test_lib.sh"

expect 0 "tevra-pack 1." pack --version
pack --help >"$work/help"
order=$(grep -oE '^  [a-z]+' "$work/help" | tr -d ' ' | tr '\n' ' ')
[ "$order" = "new check build play judge unpack import inspect blocks rc png " ] ||
  fail "--help lists the commands as: $order"

for command in new play import; do
  expect 0 "usage: tevra-pack $command" pack "$command" --help
  expect 2 "usage: tevra-pack $command" pack "$command"
done
expect 2 "usage" pack new "$work/x" --display slides
expect 2 "usage" pack import q.csv -o "$work/x" --kind deux

# new: every display gives a quiz that checks and builds as it stands.
for display in text pictures audio video; do
  dir=$work/new-$display
  expect 0 "quiz.toml: a $display quiz" pack new "$dir" --display "$display"
  grep -q "^display = \"$display\"" "$dir/quiz.toml" || fail "new --display $display"
  expect 0 "0 errors" pack check "$dir/quiz.toml"
  expect 0 "3 questions" pack build "$dir/quiz.toml" -o "$work/new-$display.exe"
done
grep -q '^# picture = "cercle.png"' "$work/new-pictures/quiz.toml" || fail "no picture shown how"
grep -q '^# media = "cercle.wav"' "$work/new-audio/quiz.toml" || fail "no media shown how"
echo "# edited" >>"$work/new-text/quiz.toml"
expect 1 "already exists" pack new "$work/new-text"
grep -q "^# edited" "$work/new-text/quiz.toml" || fail "new replaced an existing quiz.toml"

# inspect QUIZ.exe: the quiz in plain text, nothing written.
expect 0 'answer = "Lisbonne"' pack inspect "$work/new-text.exe"
grep -q "carries 3 questions and 0 files" "$work/out" || fail "inspect: $(cat "$work/out")"
# A 1 x 1 PNG for the first picture of the grid.
base64 -d >"$work/new-pictures/cercle.png" <<<'iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNkYPhfDwAChwGA60e6kgAAAABJRU5ErkJggg=='
sed -i 's/^# picture = "cercle.png"/picture = "cercle.png"/' "$work/new-pictures/quiz.toml"
expect 0 "3 questions" pack build "$work/new-pictures/quiz.toml" -o "$work/pictures.exe"
expect 0 "carries 3 questions and 1 file" pack inspect "$work/pictures.exe"
grep -qF 'picture = "picture01.png"' "$work/out" || fail "inspect: $(cat "$work/out")"
expect 1 "new-text/quiz.toml: not a Windows executable" pack inspect "$work/new-text/quiz.toml"

# import: a French spreadsheet's export, Windows-1252 with semicolons.
printf 'question;answer;code\r\n"Capitale de l\x92Italie ; vraiment ?";Rome;\r\n;;\r\nPr\xe9fecture du Rh\xf4ne ?;Lyon;BRAVO\r\n' \
  >"$work/questions.csv"
expect 0 "2 questions from" pack import "$work/questions.csv" -o "$work/imported"
grep -qF 'text = "Capitale de l’Italie ; vraiment ?"' "$work/imported/quiz.toml" ||
  fail "import: $(cat "$work/imported/quiz.toml")"
grep -qF 'codes = ["", "BRAVO"]' "$work/imported/quiz.toml" || fail "import: codes"
expect 0 "0 errors" pack check "$work/imported/quiz.toml"
expect 1 "already exists" pack import "$work/questions.csv" -o "$work/imported"
expect 0 "2 questions" pack import "$work/questions.csv" -o "$work/imported" --force --kind 2
grep -q "^kind = 2" "$work/imported/quiz.toml" || fail "import --kind"
printf 'question,answer\nQ1,Un\nQ2,\n' >"$work/bad.csv"
expect 1 "bad.csv:3: question 2, field 'answer': is empty" \
  pack import "$work/bad.csv" -o "$work/refused"
[ ! -e "$work/refused" ] || fail "a refused import wrote its folder"

# play, with a stand-in for Wine that notes where and with what it ran.
if [ -z "${TEVRA_PACK_EMULATOR:-}" ]; then
  mkdir "$work/bin"
  printf '#!/bin/sh\necho "$PWD|$*" >>"%s"\ncat /proc/self/personality >"%s"\nexit "${FAKE_WINE_STATUS:-0}"\n' \
    "$work/wine.log" "$work/personality" >"$work/bin/wine"
  chmod +x "$work/bin/wine"
  quiz=$work/capitales
  mkdir "$quiz"
  cp "$work/new-text/quiz.toml" "$quiz/quiz.toml"
  PATH=$work/bin:$PATH expect 0 "capitales.exe: 3 questions" pack play "$quiz"
  [ "$(cat "$work/wine.log")" = "$quiz|$quiz/capitales.exe" ] ||
    fail "play ran: $(cat "$work/wine.log")"
  # Wine starts with a fixed address layout (ADDR_NO_RANDOMIZE), where it can.
  if [ -r /proc/self/personality ]; then
    [ $((0x$(cat "$work/personality") & 0x0040000)) -ne 0 ] ||
      fail "Wine ran with personality $(cat "$work/personality")"
  fi
  PATH=$work/bin:$PATH expect 0 "capitales.exe: up to date" pack play "$quiz/quiz.toml"
  touch -d "+1 minute" "$quiz/quiz.toml"
  PATH=$work/bin:$PATH expect 0 "capitales.exe: 3 questions" pack play "$quiz/quiz.toml"
  cp "$quiz/capitales.exe" "$work/copy.exe"
  : >"$work/wine.log"
  PATH=$work/bin:$PATH expect 0 "" pack play "$work/copy.exe"
  [ "$(cat "$work/wine.log")" = "$work|$work/copy.exe" ] || fail "play ran: $(cat "$work/wine.log")"
  PATH=$work/bin:$PATH FAKE_WINE_STATUS=3 expect 1 "ended with status 3" pack play "$work/copy.exe"
  echo 'title = ' >"$quiz/quiz.toml"
  PATH=$work/bin:$PATH expect 1 "quiz.toml:1:" pack play "$quiz"
fi
echo "author commands: all checks passed"
