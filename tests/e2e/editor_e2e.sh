#!/usr/bin/env bash
# A bank written in the editor's window plays in the real game: the window test types two
# questions and saves them into a fresh data folder, then the game runs there on its own Xvfb,
# both questions are answered with Tab and Space, and one Esc on the final screen ends it.
# Usage: editor_e2e.sh BIN_DIR    (BIN_DIR holds quorvel-challenge, editor_window_tests, the sounds)
set -u
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

begin_run

start_display 1024x768x24 || exit 1
folder="$work/game"
mkdir -p "$folder"
cp "$bin/quorvel-challenge" "$bin"/*.WAV "$folder/"

QUORVEL_EDITOR_BANK="$folder/DATA.ASC" "$bin/editor_window_tests" \
  --gtest_filter='EditorWindowTest.WritesATwoQuestionBankWithKeysAndMouse' >"$work/editor.log" 2>&1
check "the editor's window test wrote the bank" [ -s "$folder/DATA.ASC" ]

(cd / && exec "$folder/quorvel-challenge" >"$work/game.log" 2>&1) &
GAME_PID=$!
quiz=$(skip_to_quiz 10)
check "the game shows the editor's bank" [ -n "$quiz" ]
sleep 0.5
# Tab from Close reaches answer 1: wrong for question 1, right for question 2, whose remark
# then shows for two seconds before the final screen.
for pause in 2.5 5; do
  press "$quiz" Tab; sleep 0.2
  press "$quiz" space; sleep "$pause"
done
# With no question left the first Esc closes at once; a third question would keep the window.
press "$quiz" Escape
wait_exit "$GAME_PID" 5; status=$STATUS
check "one Esc after two answers ends the game with status 0 (got $status)" [ "$status" = 0 ]
check "the game finished its two questions (USER.ASC starts over at question 1)" \
  [ "$(user_value "$folder/USER.ASC" 3)" = 1 ]
[ "$failed" -gt 0 ] && cat "$work/editor.log" "$work/game.log"
checks_done
