#!/usr/bin/env bash
# tevra-pack play under Wine, for real: it builds the quiz of a folder beside
# its quiz.toml, starts it in that folder and waits; the quiz, closed as a
# player closes it, saves its answers there.
set -euo pipefail
program=${1:?usage: play_wine_test.sh path/to/tevra-pack QUIZ-DIR}
source "$(dirname "$0")/command_test_lib.sh"

quiz=$work/capitales
cp -r "${2:?}" "$quiz"
pack play "$quiz" >"$work/play.log" 2>&1 &
play=$!
# Ask the quiz's window to close until it has: taskkill without /f posts
# WM_CLOSE to the windows of the process.
for _ in $(seq 200); do
  kill -0 "$play" 2>/dev/null || break
  /usr/lib/wine/wine64 taskkill /im capitales.exe >/dev/null 2>&1 || true
  sleep 0.3
done
kill -0 "$play" 2>/dev/null && kill "$play" && fail "the quiz did not close"
status=0
wait "$play" || status=$?
[ "$status" = 0 ] || fail "play exited $status: $(cat "$work/play.log")"
grep -q "capitales.exe: .* questions" "$work/play.log" || fail "no build: $(cat "$work/play.log")"
[ -f "$quiz/capitales.txt" ] || fail "the quiz saved no answers in its folder: $(ls "$quiz")"
echo "play under Wine: the quiz started in its folder and closed"
