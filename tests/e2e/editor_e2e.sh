#!/usr/bin/env bash
# A bank written in the editor's window plays in the real game: the window test types two
# questions and saves them into a fresh data folder, then the game runs there on its own Xvfb,
# both questions are answered with Tab and Space, and one Esc on the final screen ends it.
# Then the editor's Play (F5) runs the game on a bank with an answer changed and not saved: the
# game shows what the same bank saved with that answer shows (played with --data, whose progress
# is kept apart), and neither the author's progress nor the bank file changes. A folder that
# --data cannot play is refused with status 2, nothing written.
# Usage: editor_e2e.sh BIN_DIR    (BIN_DIR holds quorvel-challenge, quorvel-bank, editor_window_tests,
# DATA.ASC, the sounds)
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

# --- Play from the editor ---------------------------------------------------------------------
# The author's own game is a portable copy, so its progress is the USER.ASC beside it; the
# player's data folder is a fresh one that the game only writes for a bank played with --data.
app="$work/app"
make_data_folder "$app" "$bin"
cp "$bin/editor_window_tests" "$app/"
printf 'PLEASE DO NOT MODIFY THIS FILE!\r\n1   '"'"'Sound on/off\r\n3   '"'"'Current question\r\n1   '"'"'# Correct\r\n1   '"'"'# Incorrect\r\n' >"$app/USER.ASC"
export XDG_DATA_HOME="$work/xdg"
two_questions() {
  printf '%s\r\n' "Author's bank" "Try-out" 1 0 1 "" "Which colour is Delvo's scooter?" Teal "$1" "''' 1" \
    1 0 2 "" "How many Quorvels are there?" Three Four "''' 2"
}
mkdir -p "$work/author" "$work/edited"
two_questions Orange >"$work/author.txt"; two_questions "Mauve and teal" >"$work/edited.txt"
"$bin/quorvel-bank" encode "$work/author.txt" "$work/author/DATA.ASC"
"$bin/quorvel-bank" encode "$work/edited.txt" "$work/edited/DATA.ASC"
cp "$app/USER.ASC" "$work/user-before"; cp "$work/author/DATA.ASC" "$work/bank-before"

QUORVEL_EDITOR_BANK="$work/author/DATA.ASC" QUORVEL_EDITOR_PLAY="Mauve and teal" \
  "$app/editor_window_tests" --gtest_filter='EditorWindowTest.PlaysTheBankAsItIsNow' >"$work/play.log" 2>&1 &
editor=$!
run_pids+=("$editor")
quiz=$(skip_to_quiz 20)
check "F5 in the editor starts the real game" [ -n "$quiz" ]
sleep 1
screenshot "$work/played.png" "$quiz"
press "$quiz" Escape; sleep 0.5; press "$quiz" Escape
wait_exit "$editor" 30; status=$STATUS
check "the editor says the game ended, the answer still unsaved (status $status)" [ "$status" = 0 ]
check "the author's USER.ASC is unchanged" cmp -s "$app/USER.ASC" "$work/user-before"
check "the bank file is unchanged" cmp -s "$work/author/DATA.ASC" "$work/bank-before"
check "the play wrote nothing in the player's data folder" [ ! -e "$XDG_DATA_HOME" ]

# The same bank saved with the changed answer, played with --data: the same picture.
(cd / && exec "$app/quorvel-challenge" --data "$work/edited" >"$work/data.log" 2>&1) &
GAME_PID=$!
quiz=$(skip_to_quiz 10)
check "--data plays the folder's bank" [ -n "$quiz" ]
sleep 1
screenshot "$work/saved.png" "$quiz"
differ=$(differing_pixels "$work/played.png" "$work/saved.png")
check "the game showed the changed answer ($differ pixels differ from the saved bank's)" [ "${differ:-999}" -le 20 ]
press "$quiz" Tab; sleep 0.2; press "$quiz" space; sleep 2.5
press "$quiz" Escape; sleep 0.5; press "$quiz" Escape
wait_exit "$GAME_PID" 5
progress=$(ls "$XDG_DATA_HOME"/quorvel-challenge/banks/edited-*/USER.ASC 2>/dev/null)
check "the bank's progress is its own, in the player's data folder ($progress)" [ -f "$progress" ]
check "the bank's progress goes on at question 2" [ "$(user_value "$progress" 3)" = 2 ]
check "the game's own progress is untouched" cmp -s "$app/USER.ASC" "$work/user-before"

# Folders --data cannot play: status 2, a message naming what is wrong, nothing written.
mkdir -p "$work/nobank"
before=$(find "$XDG_DATA_HOME" "$app" | sort)
for dir in "$work/missing" "$work/nobank"; do
  "$app/quorvel-challenge" --data "$dir" 2>"$work/refused.log"; status=$?
  check "--data $dir is refused with status 2 (got $status)" [ "$status" = 2 ]
  check "  and the message names it: $(cat "$work/refused.log")" grep -q "$dir" "$work/refused.log"
done
check "a refused folder leaves nothing written" [ "$(find "$XDG_DATA_HOME" "$app" | sort)" = "$before" ]

[ "$failed" -gt 0 ] && cat "$work/editor.log" "$work/game.log" "$work/play.log" "$work/data.log"
checks_done
