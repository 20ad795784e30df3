#!/usr/bin/env bash
# tevra-pack check, build and unpack from the command line: exit statuses,
# messages naming the file and the field, no partial output, and the round
# trip build -> unpack -> build on every example.
set -euo pipefail
program=${1:?usage: authoring_command_test.sh path/to/tevra-pack QUIZ-DIR...}
shift
source "$(dirname "$0")/command_test_lib.sh"

for command in check build unpack; do
  expect 0 "usage: tevra-pack $command" pack "$command" --help
  expect 2 "usage: tevra-pack $command" pack "$command"
done
expect 2 "usage" pack build a.toml -o
expect 2 "usage" pack check a.toml b.toml

# Bad input: a clear message, status 1, nothing written.
expect 1 "missing.toml: cannot be read" pack build "$work/missing.toml" -o "$work/x.exe"
printf 'title = "T"\n\n[[question]\nanswer = "A"\n' >"$work/syntax.toml"
expect 1 "syntax.toml:3:" pack build "$work/syntax.toml" -o "$work/x.exe"
expect 1 "syntax.toml:3:" pack check "$work/syntax.toml"
{
  echo 'title = "Trop"'
  for i in $(seq 97); do printf '[[question]]\ntext = "Q%s"\nanswer = "R%s"\n' "$i" "$i"; done
} >"$work/many.toml"
expect 1 "97 questions, over the limit of 96" pack build "$work/many.toml" -o "$work/x.exe"
printf 'title = "P"\ndisplay = "pictures"\n[[question]]\nanswer = "Paris"\npicture = "gone.png"\n' \
  >"$work/nopicture.toml"
expect 1 "nopicture.toml:5: question 1, field 'picture': gone.png: no such file" \
  pack build "$work/nopicture.toml" -o "$work/x.exe"
[ ! -e "$work/x.exe" ] || fail "a refused build wrote its output"
expect 1 "question 1, field 'picture': gone.png: no such file" \
  pack rc "$work/nopicture.toml" -o "$work/rc/quiz.rc"
# A near name is suggested; a file that is there but cannot be read says why.
mkdir "$work/gone.png" && touch "$work/gne.png"
expect 1 "gone.png cannot be read (is a folder)" pack check "$work/nopicture.toml"
rmdir "$work/gone.png"
expect 1 "gone.png: no such file (did you mean gne.png?)" pack check "$work/nopicture.toml"
# Also when the quiz is named from inside its folder.
cd "$work"
expect 1 "gone.png: no such file (did you mean gne.png?)" pack check nopicture.toml
cd - >/dev/null
echo "not a picture" >"$work/gone.png"
expect 1 "question 1, field 'picture': gone.png is not a PNG, JPEG, GIF or BMP picture" \
  pack rc "$work/nopicture.toml" -o "$work/rc/quiz.rc"
[ ! -e "$work/rc" ] || fail "a refused rc wrote its output"

# A one-question quiz in a folder with an accented name: the folder stands for
# its quiz.toml, counts are singular, and accented paths and arguments pass
# through the Windows command line whole.
quiz="$work/Étoiles"
mkdir -p "$quiz"
printf 'title = "É"\ncodes = ["C"]\n[[question]]\ntext = "Q"\nanswer = "Étoile"\n' >"$quiz/quiz.toml"
expect 0 "Étoiles/quiz.toml: 0 errors, 1 warning" pack check "$quiz"
expect 0 'holds "É": players must type the accent' pack check "$quiz/quiz.toml"
expect 0 "Étoiles/quiz.toml: 0 errors, 0 warnings" pack check "$quiz" --quiet short-answer,accent
expect 2 "is not the code of a warning" pack check "$quiz" --quiet acent
expect 0 "Quasiment" pack judge "Étoile" "etoile"
# On a console (a pseudo-terminal that Wine makes one of), text is written as
# the console shows it, accents included.
if [ -n "${TEVRA_PACK_EMULATOR:-}" ] && command -v script >/dev/null; then
  script -qec "$TEVRA_PACK_EMULATOR $program judge 'LEONARD DE VINCI' 'LEONARDO DA VINCCI'" \
    /dev/null >"$work/console" 2>&1 || true
  grep -qF "y a de l'idée" "$work/console" || fail "console output: $(cat -v "$work/console")"
fi
expect 0 "été.exe: 1 question," pack build "$quiz" -o "$work/été.exe"
# Into a folder: named after the quiz's folder. Without .exe: .exe added, and said.
mkdir -p "$work/sortie"
expect 0 "Étoiles.exe: 1 question" pack build "$quiz" -o "$work/sortie"
expect 0 "('.exe' added to the name given)" pack build "$quiz" -o "$work/sortie/nom"
[ -f "$work/sortie/Étoiles.exe" ] && [ -f "$work/sortie/nom.exe" ] || fail "build -o: $(ls "$work/sortie")"
# Unpacking over an earlier unpack replaces nothing unless asked to.
expect 0 "1 question, writing 1 file to" pack unpack "$work/été.exe" -o "$work/dé"
echo "# edited" >>"$work/dé/quiz.toml"
expect 1 "quiz.toml: already exists" pack unpack "$work/été.exe" -o "$work/dé"
grep -q edited "$work/dé/quiz.toml" || fail "a refused unpack replaced quiz.toml"
expect 0 "writing" pack unpack "$work/été.exe" -o "$work/dé" --force
# A typographic apostrophe in an answer is refused unless the author keeps it;
# a quiz holding one unpacks into a quiz.toml that keeps it, and builds again.
mkdir -p "$work/apostrophe"
printf 'title = "A"\ncodes = ["C"]\n[[question]]\ntext = "Q"\nanswer = "L’eau"\n' \
  >"$work/apostrophe/quiz.toml"
expect 1 "write ' instead" pack check "$work/apostrophe"
echo 'accept = ["typographic-apostrophe"]' >"$work/apostrophe/head"
cat "$work/apostrophe/head" "$work/apostrophe/quiz.toml" >"$work/apostrophe/both"
mv "$work/apostrophe/both" "$work/apostrophe/quiz.toml"
expect 0 "1 question," pack build "$work/apostrophe" -o "$work/apostrophe.exe"
expect 0 "writing" pack unpack "$work/apostrophe.exe" -o "$work/apostrophe-again"
expect 0 "0 errors" pack check "$work/apostrophe-again"

expect 1 "nothing.exe: cannot be read" pack unpack "$work/nothing.exe" -o "$work/dir"
echo "not an executable" >"$work/text.exe"
expect 1 "not a Windows executable" pack unpack "$work/text.exe" -o "$work/dir"
[ ! -e "$work/dir" ] || fail "a refused unpack wrote its folder"

for dir in "$@"; do
  name=$(basename "$dir")
  # Every example passes check with no warning its author has not accepted.
  expect 0 "0 errors, 0 warnings" pack check "$dir/quiz.toml"
  ! grep -qE "field '(extra|extra2|picture|answer_picture|media)': warning" "$work/out" ||
    fail "$name: check warns about its fields: $(cat "$work/out")"
  expect 0 "questions," pack build "$dir/quiz.toml" -o "$work/$name.exe"
  head -c 4000 "$work/$name.exe" >"$work/cut.exe"
  expect 1 "cut.exe:" pack unpack "$work/cut.exe" -o "$work/dir"
  expect 0 "writing" pack unpack "$work/$name.exe" -o "$work/$name"
  expect 0 "0 errors" pack check "$work/$name/quiz.toml"
  expect 0 "questions," pack build "$work/$name/quiz.toml" -o "$work/$name-again.exe"
  # Same blocks, same files, same layout: the rebuilt executable is the same bytes.
  cmp -s "$work/$name.exe" "$work/$name-again.exe" || fail "$name: unpack and build again differs"
  # The same quiz built by the toolchain from 'rc' carries the same quiz and files.
  built=${TEVRA_TOOLCHAIN_QUIZZES:-}/$name.exe
  if [ -n "${TEVRA_TOOLCHAIN_QUIZZES:-}" ] && [ -f "$built" ]; then
    expect 0 "writing" pack unpack "$built" -o "$work/$name-toolchain"
    diff -r "$work/$name" "$work/$name-toolchain" >"$work/diff" ||
      fail "$name: the toolchain's build unpacks otherwise: $(cat "$work/diff")"
    # Same resources, types, ids, languages and bytes: plain or scrambled alike.
    x86_64-w64-mingw32-windres -J coff -i "$work/$name.exe" -O rc >"$work/packed.rc"
    x86_64-w64-mingw32-windres -J coff -i "$built" -O rc >"$work/toolchain.rc"
    cmp -s "$work/packed.rc" "$work/toolchain.rc" ||
      fail "$name: the toolchain's build holds other resources"
  fi
  if command -v x86_64-w64-mingw32-objdump >/dev/null; then
    x86_64-w64-mingw32-objdump -p "$work/$name.exe" >"$work/objdump" 2>&1 ||
      fail "$name: objdump -p refuses the executable"
    grep -q "Resource Directory \[.rsrc\]" "$work/objdump" || fail "$name: no resource directory"
  fi
  if command -v x86_64-w64-mingw32-windres >/dev/null; then
    x86_64-w64-mingw32-windres -J coff -i "$work/$name.exe" -O rc >"$work/rc" 2>&1 ||
      fail "$name: windres cannot list the resources: $(cat "$work/rc")"
    for resource in '104 "PATCH"' '105 "PATCH"' 'DIALOGEX' 'VERSIONINFO'; do
      grep -qF "$resource" "$work/rc" || fail "$name: windres lists no $resource"
    done
  fi
done

# The plain player carries no quiz.
player=$(dirname "$program")/player-stripped.exe
if [ -f "$player" ]; then
  expect 1 "no quiz" pack unpack "$player" -o "$work/dir"
fi
echo "authoring commands: all checks passed"
