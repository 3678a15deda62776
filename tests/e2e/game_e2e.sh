#!/usr/bin/env bash
# The real game on a private Xvfb: the intro over the desktop, a double-click skip, answers
# with Tab and Space, Esc twice, the progress file, a double-click on an answer counted once,
# and a refused second copy.
# Usage: game_e2e.sh BIN_DIR    (BIN_DIR holds quorvel-challenge, quorvel-bank, DATA.ASC, the sounds)
set -u
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

begin_run

at_most() { [ "$1" -le "$2" ]; }
at_least() { [ "$1" -ge "$2" ]; }

# The shared three-question bank and a two-answer fourth question, so that a double-click on
# question 3 has a question after it to answer by mistake.
{ cat "$here/three-questions.asc"; cat <<'BANK'
1
0
1

What does Delvo ride to gigs?
A scooter
A tandem
''' 4
BANK
} >"$work/plain.asc"

start_display 1024x768x24 || exit 1
paint_desktop
folder="$work/game"
make_data_folder "$folder" "$bin" "$work/plain.asc"

# start_game: runs the game from its folder (any working directory will do) and remembers it.
start_game() {
  (cd / && exec "$folder/quorvel-challenge" >"$work/game-$1.log" 2>&1) &
  run_pids+=($!)
  GAME_PID=$!
}

# --- the intro over the desktop, then a skip ---------------------------------------------------
screenshot "$work/desktop.png"
start_game first
dismiss_no_sound_card 3
intro=$(wait_window "$INTRO_TITLE" 10)
appeared=$(now_ms)
# The window is looked at first, while the intro surely runs: on a loaded machine the screenshots
# below can take until the intro's end.
geometry=$(xdotool getwindowgeometry "$intro" 2>/dev/null | tr '\n' ' ')
quiz_during_intro=$(visible_window "$QUIZ_TITLE")
screenshot "$work/intro-first.png"
# The dissolve (from about 0.05 s to 3.05 s) builds the title up over its time: the screen is
# looked at from 2 s on until the title shows, at the latest 3.2 s in (before the slide moves it).
sleep "$(awk -v ms=$((2000 - ($(now_ms) - appeared))) 'BEGIN {print (ms > 0 ? ms / 1000 : 0)}')"
while :; do
  screenshot "$work/intro-title.png"
  title=$(differing_pixels "$work/desktop.png" "$work/intro-title.png" 599x127+212+25)
  [ "$title" -ge 5000 ] 2>/dev/null || [ $(($(now_ms) - appeared)) -ge 3200 ] && break
done
check "the intro window appears" [ -n "$intro" ]
check "the intro window covers the screen ($geometry)" grep -q "Position: 0,0.*Geometry: 1024x768" <<<"$geometry"
check "no quiz window during the intro" [ -z "$quiz_during_intro" ]
# The title comes in near the top (rows 25..152); everything below it is the captured desktop.
below=$(differing_pixels "$work/desktop.png" "$work/intro-first.png" 1024x600+0+168)
check "the intro's first frame matches the desktop below the title ($below differ)" at_most "$below" 600
check "the title shows over the desktop ($title pixels)" at_least "$title" 5000
# Into the slide: it starts about 3.3 s after the intro.
sleep "$(awk -v ms=$((4000 - ($(now_ms) - appeared))) 'BEGIN {print (ms > 0 ? ms / 1000 : 0)}')"
double_click 512 700
clicked=$(now_ms)
quiz=$(wait_window "$QUIZ_TITLE" 10)
shown=$(now_ms)
check "a double-click skips to the quiz window (after $((shown - clicked)) ms)" [ -n "$quiz" ]
check "the intro window is gone" wait_gone "$INTRO_TITLE" 2

# --- answers with Tab and Space, Esc twice ----------------------------------------------------
sleep 0.5
for _ in 1 2; do
  press "$quiz" Tab; sleep 0.2
  press "$quiz" space; sleep 2.5   # the right or wrong sound plays to its end
done
screenshot "$work/quiz-after-two.png"
press "$quiz" Escape; sleep 0.5
check "the first Esc keeps the window (questions are left)" [ -n "$(visible_window "$QUIZ_TITLE")" ]
press "$quiz" Escape
wait_exit "$GAME_PID" 5; status=$STATUS
check "the second Esc ends the game with status 0 (got $status)" [ "$status" = 0 ]
user="$folder/USER.ASC"
check "USER.ASC has its five lines" [ "$(wc -l <"$user")" -ge 5 ]
check "USER.ASC: the next question is 3" [ "$(user_value "$user" 3)" = 3 ]
answered=$(( $(user_value "$user" 4) + $(user_value "$user" 5) ))
check "USER.ASC: two answers counted" [ "$answered" = 2 ]
check "USER.ASC: one right (Tab from answer 1 picks answer 2: wrong for question 1, right for question 2)" \
  [ "$(user_value "$user" 4)" = 1 ]

# --- a double-click on an answer counts one answer ------------------------------------------------
start_game double
quiz=$(skip_to_quiz 10)
check "the game resumes" [ -n "$quiz" ]
sleep 1
# Answer 1's button of question 3 at 1024x768: 1.5 spacings (40.5 px) from the left, under a
# one-line question; its middle is about 53,92 inside the window.
eval "$(xdotool getwindowgeometry --shell "$quiz")"
xdotool mousemove $((X + 53)) $((Y + 92)) click --repeat 2 --delay 120 1
sleep 4   # the judging sound, its pause and the next question
screenshot "$work/after-double-click.png"
press "$quiz" Escape; sleep 0.5; press "$quiz" Escape
wait_exit "$GAME_PID" 5
check "USER.ASC: the double-click answered question 3 only (next question $(user_value "$user" 3))" \
  [ "$(user_value "$user" 3)" = 4 ]
answered=$(( $(user_value "$user" 4) + $(user_value "$user" 5) ))
check "USER.ASC: three answers counted in all (got $answered)" [ "$answered" = 3 ]

# --- a second copy is refused -------------------------------------------------------------------
start_game running
first_pid=$GAME_PID
quiz=$(skip_to_quiz 10)
check "the first copy runs" [ -n "$quiz" ]
start_game second
second_pid=$GAME_PID
box=$(wait_window '^Aborted$' 20)
check "the second copy shows 'Aborted'" [ -n "$box" ]
screenshot "$work/aborted.png" "${box:-root}"
dismiss_box '^Aborted$'
wait_exit "$second_pid" 5; status=$STATUS
check "the second copy ends once the box is closed (status $status)" [ "$status" != timeout ]
check "the second copy showed no intro" [ -z "$(visible_window "$INTRO_TITLE")" ]
check "the first copy still runs" kill -0 "$first_pid"
press "$quiz" Escape; sleep 0.3; press "$quiz" Escape
sleep 1

if [ "$failed" -gt 0 ]; then
  mkdir -p "${E2E_KEEP:-/tmp}/quorvel-e2e"; cp "$work"/*.png "$work"/*.log "${E2E_KEEP:-/tmp}/quorvel-e2e/" 2>/dev/null
  echo "screenshots and logs kept in ${E2E_KEEP:-/tmp}/quorvel-e2e"
fi
checks_done
