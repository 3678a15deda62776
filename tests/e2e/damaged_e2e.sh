#!/usr/bin/env bash
# The catalogue of damaged data folders, each run with the real game on a private Xvfb. Every
# case ends in one of two ways: the game plays on (one answer, then Esc twice, status 0, the
# progress saved as usual), or one message box whose text is also on stderr, then status 1.
# None may crash, hang, or change USER.ASC unless the game saved it normally.
# Last, a copy killed with SIGKILL must not keep the next one from starting.
# Usage: damaged_e2e.sh BIN_DIR   (quorvel-challenge, quorvel-bank, DATA.ASC, the sounds and clips)
set -u
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

ERROR_TITLE='^The Quorvel Challenge$'
NOBODY=65534

work=$(mktemp -d)
chmod 755 "$work"  # as root some cases run the game as an ordinary user, who must reach it
# The game's lock and the player's data folder stay inside this test.
export XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/player-data"
mkdir -m 700 "$XDG_RUNTIME_DIR"
GAME_PID=
cleanup() {
  [ -n "$GAME_PID" ] && kill -9 "$GAME_PID" 2>/dev/null
  stop_display; rm -rf "$work"
}
trap cleanup EXIT

behaviours=()
note() { behaviours+=("$1"); }

cat >"$work/plain.asc" <<'BANK'
The Quorvel Challenge
Catalogue bank
1
0
1

Which colour is Delvo's scooter?
Teal
Orange
''' 1
1
0
2

How many Quorvels are there?
Three
Four
''' 2
BANK

# plain_bank FILE [REPLACEMENTS]: the bank above with sed expressions applied.
plain_bank() { sed "${2:-}" "$work/plain.asc" >"$1"; }
encode() { "$bin/quorvel-bank" encode "$1" "$2" >/dev/null; }
# garbage BYTES: deterministic bytes of every value (NUL, CR and LF included).
garbage() {
  local i hex=
  for ((i = 0; i * 32 < $1; i++)); do hex+=$(printf 'quorvel %d' "$i" | sha256sum | cut -c1-64); done
  printf "$(sed 's/../\\x&/g' <<<"${hex:0:$(($1 * 2))}")"
}
saved_user() {  # the progress file as a save writes it
  printf "Please do NOT modify this file!\r\n1    'Sound on/off\r\n%-5s'Current question \r\n0    '# Correct\r\n0    '# Incorrect\r\n" "$1"
}
checksum() { [ -e "$1" ] && { [ -d "$1" ] && echo folder || md5sum <"$1" | cut -c1-32; } || echo none; }

start_display 1024x768x24 || exit 1

# new_folder NAME: a fresh data folder with the game, the catalogue bank, the sounds and clips,
# and a saved USER.ASC at question 1.
new_folder() {
  folder="$work/$1"
  make_data_folder "$folder" "$bin" "$work/plain.asc"
  saved_user 1 >"$folder/USER.ASC"
}

# as_other_user: the command prefix that runs the game as an ordinary user (only as root, where
# file permissions would not hold), with a runtime and a data folder of that user's own.
as_other_user() {
  [ "$(id -u)" -ne 0 ] && return 0
  mkdir -p -m 700 "$work/other-runtime" "$work/other-data"
  chown "$NOBODY:$NOBODY" "$work/other-runtime" "$work/other-data"
  RUNNER=(env XDG_RUNTIME_DIR="$work/other-runtime" XDG_DATA_HOME="$work/other-data" HOME="$work/other-data"
          setpriv --reuid=$NOBODY --regid=$NOBODY --clear-groups)
}
other_data_home() { [ "$(id -u)" -eq 0 ] && echo "$work/other-data" || echo "$XDG_DATA_HOME"; }

# start_game: runs the game of $folder (from the root folder, any will do) through ${RUNNER[@]}.
start_game() {
  (cd / && exec "${RUNNER[@]}" "$folder/quorvel-challenge" >"$folder.out" 2>"$folder.err") &
  GAME_PID=$!
}

# wait_game TIMEOUT_S: sets STATUS to the game's exit status, or "timeout" (the game is then killed).
wait_game() {
  wait_exit "$GAME_PID" "$1"
  [ "$STATUS" = timeout ] && { kill -9 "$GAME_PID" 2>/dev/null; wait "$GAME_PID" 2>/dev/null; }
  GAME_PID=
}

# drive_start UNTIL_REGEX TIMEOUT_S: acknowledges "No Sound Card", skips the intro with a
# double-click once its slide runs, until a window matching UNTIL_REGEX (or the error box)
# shows or the game ends. Sets SHOWN to the window's id or nothing.
drive_start() {
  local deadline=$(( $(now_ms) + $2 * 1000 )) intro_at=0 skipped_intro=0
  SHOWN=
  while [ "$(now_ms)" -lt "$deadline" ] && kill -0 "$GAME_PID" 2>/dev/null; do
    SHOWN=$(visible_window "$1"); [ -n "$SHOWN" ] && return
    SHOWN=$(visible_window "$ERROR_TITLE"); [ -n "$SHOWN" ] && return
    [ -n "$(visible_window '^No Sound Card$')" ] && dismiss_box '^No Sound Card$'
    if [ "$intro_at" = 0 ] && [ -n "$(visible_window "$INTRO_TITLE")" ]; then intro_at=$(now_ms); fi
    # The skip is seen once the slide runs, about 3.3 s into the intro.
    if [ "$intro_at" != 0 ] && [ "$skipped_intro" = 0 ] && [ $(( $(now_ms) - intro_at )) -ge 3600 ]; then
      double_click 512 700; skipped_intro=1
    fi
    sleep 0.02
  done
}

# expect_error CASE PATTERN: the game must show one error box and write one error to stderr
# whose text matches PATTERN (an extended regex), then end with status 1 once the box is
# closed; USER.ASC stays as it was. (That the box shows the text stderr gets is checked in
# process, in tests/app: X gives no way to read a box's text.)
expect_error() {
  local name=$1 pattern=$2 user=$folder/USER.ASC before text lines
  before=$(checksum "$user")
  start_game
  drive_start "$ERROR_TITLE" 25
  sleep 0.3
  if [ -z "$SHOWN" ] || [ -z "$(visible_window "$ERROR_TITLE")" ]; then
    wait_game 1
    check "$name: an error box appears (status $STATUS)" false
    echo "  stderr: $(cat "$folder.err")"; return
  fi
  check "$name: the box waits for the player" kill -0 "$GAME_PID"
  dismiss_box "$ERROR_TITLE"
  wait_game 10
  text=$(sed -n 's/^quorvel-challenge: //p' "$folder.err")
  lines=$(grep -c '^quorvel-challenge: ' "$folder.err")
  check "$name: ends with status 1 once the box is closed (status $STATUS)" [ "$STATUS" = 1 ]
  check "$name: one error on stderr ($lines)" [ "$lines" = 1 ]
  check "$name: the message names the place ($text)" grep -Eq -- "$pattern" <<<"$text"
  check "$name: USER.ASC unchanged" [ "$(checksum "$user")" = "$before" ]
  note "$name: message box and stderr \"${text#"$work"/}\""
}

# expect_play CASE: the game plays on: the quiz shows, one answer is given, Esc twice ends it
# with status 0, without an error.
expect_play() {
  local name=$1 quiz
  start_game
  drive_start "$QUIZ_TITLE" 25
  quiz=$(visible_window "$QUIZ_TITLE")
  check "$name: the quiz window shows" [ -n "$quiz" ]
  if [ -n "$quiz" ]; then
    # Keys go in only while the game waits for them: typed during the first question's set-up
    # they would meet another focus, and two Esc queued behind a busy handler may merge.
    sleep 1.5   # a music question's interlude lasts a second
    press "$quiz" Tab; sleep 0.3
    press "$quiz" space; sleep 4   # the sound, the pauses, the next question
    press "$quiz" Escape; sleep 0.5
    press "$quiz" Escape
  fi
  wait_game 15
  check "$name: ends with status 0 (status $STATUS)" [ "$STATUS" = 0 ]
  check "$name: no error on stderr" bash -c "! grep -q '^quorvel-challenge: ' '$folder.err'"
}

# progress_after_one_answer FILE: a save after one answer of a game started at question 1.
progress_after_one_answer() {
  [ -f "$1" ] || { echo "  no $1"; return 1; }
  echo "  $(tr -d '\r' <"$1" | paste -sd'|')"
  [ -f "$1" ] && [ "$(user_value "$1" 3)" = 2 ] && [ $(( $(user_value "$1" 4) + $(user_value "$1" 5) )) = 1 ]
}

RUNNER=()

# --- the question bank ---------------------------------------------------------------------
new_folder no-bank; rm "$folder/DATA.ASC"
expect_error "no DATA.ASC" 'DATA\.ASC'

new_folder empty-bank; : >"$folder/DATA.ASC"
expect_error "an empty bank" 'DATA\.ASC:1: '

new_folder headers-only; head -n 2 "$work/plain.asc" >"$work/headers.asc"; encode "$work/headers.asc" "$folder/DATA.ASC"
expect_error "headers only" 'DATA\.ASC:3: '

new_folder no-separator; plain_bank "$work/p.asc" "/^'''/d"; encode "$work/p.asc" "$folder/DATA.ASC"
expect_error "no separator" 'DATA\.ASC:3: .*separator'

# Question 1 stops after its first answer: its separator is taken for answer 2, as answers 1
# and 2 always are, and the file ends where answer 3 or the separator should be.
new_folder cut-short; head -n 8 "$work/plain.asc" >"$work/p.asc"; echo "''' 1" >>"$work/p.asc"
encode "$work/p.asc" "$folder/DATA.ASC"
expect_error "a record cut short" 'DATA\.ASC:10: .*cut short'

new_folder non-numeric; plain_bank "$work/p.asc" '3s/.*/xyz/'; encode "$work/p.asc" "$folder/DATA.ASC"
expect_play "a non-numeric number field"
check "a non-numeric number field: the progress is saved" progress_after_one_answer "$folder/USER.ASC"
note "a non-numeric number field (question kind \"xyz\"): reads as 0, an ordinary question; the game plays on"

new_folder overflow; plain_bank "$work/p.asc" '5s/.*/9E99/'; encode "$work/p.asc" "$folder/DATA.ASC"
expect_error "an overflowing number field" 'DATA\.ASC:5: .*Overflow'

new_folder right-answer; plain_bank "$work/p.asc" '5s/.*/3/'; encode "$work/p.asc" "$folder/DATA.ASC"
expect_error "a right answer outside the answers" 'DATA\.ASC:5: .*right answer'

new_folder garbage; garbage 4096 >"$folder/DATA.ASC"
expect_error "binary garbage" 'DATA\.ASC:3: '

# Garbage between real separators: the records are read and decoded, whatever they hold.
new_folder garbage-records
{ head -n 2 "$work/plain.asc"; for i in 1 2 3; do garbage 600 | tr -d "'"; printf "\r\n''' %d\r\n" "$i"; done; } >"$work/g.asc"
cp "$work/g.asc" "$folder/DATA.ASC"
expect_error "binary garbage in the records" 'DATA\.ASC:[0-9]+: '

# --- the progress file ---------------------------------------------------------------------
new_folder user-three-lines
saved_user 1 | head -n 3 >"$folder/USER.ASC"
expect_error "USER.ASC with three lines" 'USER\.ASC:4: '

new_folder user-letters
printf "Please do NOT modify this file!\r\nabc  'Sound on/off\r\nxyz  'Current question \r\nqq   '# Correct\r\nzz   '# Incorrect\r\n" >"$folder/USER.ASC"
expect_play "USER.ASC with letters"
check "USER.ASC with letters: a new game was started and saved" progress_after_one_answer "$folder/USER.ASC"
note "USER.ASC with letters: the values read as 0, so a new game starts at question 1; the game plays on and saves over the file at the end"

new_folder user-huge; saved_user 99999999 >"$folder/USER.ASC"
expect_play "USER.ASC with a huge number"
check "USER.ASC with a huge number: a new game was started and saved" progress_after_one_answer "$folder/USER.ASC"
note "USER.ASC with a huge number (99999999): its first four characters read as question 9999, past the end of the bank, so a new game starts at question 1"

new_folder user-overflow; saved_user 9E99 >"$folder/USER.ASC"
expect_error "USER.ASC with an overflowing number" 'USER\.ASC:3: .*Overflow'

new_folder user-folder; rm "$folder/USER.ASC"; mkdir "$folder/USER.ASC"
expect_error "a folder in place of USER.ASC" 'USER\.ASC'

new_folder user-unreadable; chmod 000 "$folder/USER.ASC"
as_other_user
[ "$(id -u)" -eq 0 ] && chown -R "$NOBODY:$NOBODY" "$folder" && chmod 000 "$folder/USER.ASC"
expect_error "USER.ASC unreadable (mode 000)" 'USER\.ASC: .*Permission denied'
RUNNER=()

new_folder read-only; rm "$folder/USER.ASC"; chmod 555 "$folder"
as_other_user
expect_play "a read-only data folder"
player_user="$(other_data_home)/quorvel-challenge/USER.ASC"
check "a read-only data folder: nothing was written into it" [ ! -e "$folder/USER.ASC" ]
check "a read-only data folder: the progress is saved in the player's data folder" progress_after_one_answer "$player_user"
note "a read-only data folder: the game plays on and keeps the progress in the player's own data folder (${player_user#"$work"/other-data/}; ~/.local/share/quorvel-challenge/USER.ASC)"
chmod 755 "$folder"; RUNNER=()

# --- sounds and clips ----------------------------------------------------------------------
new_folder no-sounds; rm "$folder"/*.WAV
expect_play "every sound missing"
check "every sound missing: the progress is saved" progress_after_one_answer "$folder/USER.ASC"
note "every sound missing: the game plays on; where a sound would play, the desktop's alert sound (or nothing, for the silent ones) is heard"

# A music question first: its clip is started by the interlude and stopped by the answer.
music_bank() { plain_bank "$work/p.asc" "3s/.*/2/;6s|.*|$1|"; encode "$work/p.asc" "$folder/DATA.ASC"; }
new_folder no-clips; rm "$folder"/*.MP3; music_bank CLIP01.MP3
expect_play "every clip missing"
check "every clip missing: the progress is saved" progress_after_one_answer "$folder/USER.ASC"
note "every clip missing: the music question shows its \"Listen\" interlude in silence; the game plays on"

new_folder clip-outside; music_bank ../outside.MP3; cp "$folder/CLIP01.MP3" "$work/outside.MP3"
expect_play "a clip name with ../"
check "a clip name with ../: the progress is saved" progress_after_one_answer "$folder/USER.ASC"
note "a clip name with \"../\": the clip is not played (only files inside the data folder are); the game plays on"

# --- a copy killed with SIGKILL leaves no lock that refuses the next start -------------------
new_folder killed
lock="$XDG_RUNTIME_DIR/quorvel-challenge-$(id -u).lock"
start_game
drive_start "$QUIZ_TITLE" 25
holds_lock() { [ -n "$(visible_window "$QUIZ_TITLE")" ] && [ -e "$lock" ]; }
check "killed copy: the first copy runs and holds the lock" holds_lock
kill -9 "$GAME_PID"; wait_game 5
check "killed copy: SIGKILL ended it (status $STATUS)" [ "$STATUS" = 137 ]
check "killed copy: its lock file is left behind" [ -e "$lock" ]
start_game
drive_start "$QUIZ_TITLE|^Aborted$" 25
check "killed copy: the next copy is not refused" [ -z "$(visible_window '^Aborted$')" ]
quiz=$(visible_window "$QUIZ_TITLE")
check "killed copy: the next copy shows its quiz" [ -n "$quiz" ]
[ -n "$(visible_window '^Aborted$')" ] && dismiss_box '^Aborted$'
[ -n "$quiz" ] && { sleep 0.5; press "$quiz" Escape; sleep 0.5; press "$quiz" Escape; }
wait_game 10
check "killed copy: the next copy ends normally (status $STATUS)" [ "$STATUS" = 0 ]

echo
echo "Behaviours seen:"
printf '  %s\n' "${behaviours[@]}"
checks_done
