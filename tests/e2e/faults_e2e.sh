#!/usr/bin/env bash
# Games that do not end through their own Close, each played by the real game on a display of
# its own: two answers (one right, one wrong), then a fault. The signals of a logout (SIGTERM),
# a closed terminal (SIGHUP) and Ctrl+C (SIGINT) at several points of play, SIGKILL, the X
# server gone, the sound server gone, and the next save meeting a full file system, a
# read-only one and a vanished data folder; last, the last question of a bank of 32767.
# Each case checks the exit status and what USER.ASC holds afterwards.
# Usage: faults_e2e.sh BIN_DIR   (quorvel-challenge, quorvel-bank, DATA.ASC, the sounds and clips)
set -u
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

ERROR_TITLE='^The Quorvel Challenge$'
mounts=()
end_run_extra() {
  local m; for m in "${mounts[@]}"; do umount -l "$m" 2>/dev/null; done
  stop_pulse "$work/pulse"
}
begin_run
results=()

# Tab and Space pick answer 2 of questions 1 and 2 (wrong, then right) and answer 1 of the music
# question 3 (Tab leaves its Replay button): right, and it brings up a remark.
{ head -n 22 "$here/three-questions.asc"; cat <<'BANK'
2
1
1
CLIP01.MP3
Which song did Delvo write first?
Scooter Blues
Quorvel Stomp


Delvo wrote it on a bus.
''' 3
1
0
1

Who plays the tuba?
Gloria
Mavis
''' 4
1
0
1

What is the band's van called?
Bertha
Hilda
''' 5
BANK
} >"$work/plain.asc"
encode() { QT_QPA_PLATFORM=offscreen "$bin/quorvel-bank" encode "$1" "$2" >/dev/null; }
encode "$work/plain.asc" "$work/DATA.ASC"

saved_user() {  # QUESTION RIGHT WRONG: USER.ASC as a save writes it
  printf "Please do NOT modify this file!\r\n1    'Sound on/off\r\n%-5s'Current question \r\n%-5s'# Correct\r\n%-5s'# Incorrect\r\n" "$@"
}
progress() { [ -s "$1" ] && echo "$(user_value "$1" 3) $(user_value "$1" 4) $(user_value "$1" 5)" || echo "empty or missing"; }
errors_on_stderr() { grep -c '^quorvel-challenge: ' "$log" 2>/dev/null; }

# start_case NAME [FOLDER [BANK [PROGRESS]]]: a data folder (FOLDER, or one in the scratch
# folder) with the coded BANK (or the one above) and USER.ASC at PROGRESS ("1 0 0": question,
# right, wrong), a display of its own, and the game started on it, with GAME_ENV in its
# environment.
GAME_ENV=()
start_case() {
  name=$1 folder=${2:-$work/$1} log=$work/$1.log
  make_data_folder "$folder" "$bin"
  cp "${3:-$work/DATA.ASC}" "$folder/DATA.ASC"
  saved_user ${4:-1 0 0} >"$folder/USER.ASC"
  start_display 1024x768x24 || return 1
  # A script's background job would start with SIGINT ignored, and the game keeps it so.
  (cd / && exec env --default-signal=INT "${GAME_ENV[@]}" "$folder/quorvel-challenge" >"$log" 2>&1) &
  GAME_PID=$!
}
# answer [PAUSE_S]: Tab and Space; then the judging sound, its pauses, the next question.
answer() { press "$quiz" Tab; sleep 0.2; press "$quiz" space; sleep "${1:-2.5}"; }
# saved_at QUESTION: waits (10 s at most) until USER.ASC points at QUESTION: the answer was counted.
saved_at() { local i; for i in $(seq 100); do [ "$(user_value "$folder/USER.ASC" 3)" = "$1" ] && return; sleep 0.1; done; }
two_answers() {
  quiz=$(skip_to_quiz 10) || { echo "  no quiz window"; return 1; }
  # Keys typed while the first question is still being set up would meet another focus.
  sleep 1.5; answer; saved_at 2; answer; saved_at 3
}
# end_case TIMEOUT_S: STATUS is the game's exit status ("timeout" when it still ran: it is killed).
end_case() {
  wait_exit "$GAME_PID" "$1"
  [ "$STATUS" = timeout ] && { kill -9 "$GAME_PID" 2>/dev/null; wait "$GAME_PID" 2>/dev/null; }
  GAME_PID=; stop_display
}
# expect NAME STATUS PROGRESS: the exit status and USER.ASC's question, right and wrong counts.
expect() {
  local got_progress; got_progress=$(progress "$folder/USER.ASC")
  check "$1: exit status $2 (got $STATUS)" [ "$STATUS" = "$2" ]
  check "$1: USER.ASC holds $3 (got $got_progress)" [ "$got_progress" = "$3" ]
  results+=("$1 | status $STATUS | USER.ASC question, right, wrong: $got_progress")
}
no_error_reported() { check "$name: no error reported" [ "$(errors_on_stderr)" = 0 ]; }
# --- the signals of a session's end, at several points ---------------------------------------
start_case sigterm-clip
two_answers && sleep 2   # question 3's "Listen" interlude, then its clip plays
kill -TERM "$GAME_PID"; end_case 10
expect "SIGTERM while a clip plays" 143 "3 1 1"; no_error_reported

start_case sighup-intro
before=$(md5sum <"$folder/USER.ASC")
wait_window "$INTRO_TITLE" 10 >/dev/null; sleep 0.5
kill -HUP "$GAME_PID"; end_case 10
expect "SIGHUP during the intro" 129 "1 0 0"
check "SIGHUP during the intro: USER.ASC untouched" [ "$(md5sum <"$folder/USER.ASC")" = "$before" ]

start_case sigint-sound
two_answers && sleep 2 && answer 0.2   # the right answer's sound plays: a wait without events
kill -INT "$GAME_PID"; end_case 10
expect "SIGINT during the judging sound" 130 "4 2 1"; no_error_reported

start_case sighup-remark
# The remark shows for 2 s after the right answer's sound (0.7 s) and a music question's 0.5 s.
two_answers && sleep 2 && answer 2
kill -HUP "$GAME_PID"; end_case 10
expect "SIGHUP during the remark" 129 "4 2 1"; no_error_reported

start_case sigterm-warning
two_answers && { press "$quiz" Escape; sleep 0.5; }
kill -TERM "$GAME_PID"; end_case 10
expect "SIGTERM under the close warning" 143 "3 1 1"; no_error_reported

start_case sigkill
two_answers
kill -KILL "$GAME_PID"; end_case 10
expect "SIGKILL" 137 "3 1 1"

start_case x-gone
two_answers
stop_display; end_case 10
expect "the X server killed" 1 "3 1 1"

# --- the sound server killed mid-game: the game plays on without sound -------------------------
pulse_dir=$work/pulse
if start_pulse "$pulse_dir"; then
  GAME_ENV=(XDG_RUNTIME_DIR="$pulse_dir/pulse-runtime" PULSE_SERVER="$PULSE_ADDRESS")
  start_case sound-gone
  quiz=$(skip_to_quiz 10) && { sleep 1.5; answer; saved_at 2; }
  kill -9 "$(cat "$pulse_dir/pulse.pid")"
  answer; saved_at 3; press "$quiz" Escape; sleep 1; press "$quiz" Escape
  end_case 10
  expect "the sound server killed, then Esc twice" 0 "3 1 1"; no_error_reported
  GAME_ENV=()
else
  check "a private PulseAudio starts: $(cat "$pulse_dir/pulse-failed" 2>/dev/null)" false
fi

# --- the next save fails: the old progress stays whole, one error, status 1 -------------------
# save_fails NAME PATTERN BREAK...: two answers, then BREAK is run, then a third answer's save
# must fail with one error box whose stderr text matches PATTERN; the box is closed.
save_fails() {
  local case=$1 pattern=$2 box; shift 2
  if two_answers; then
    "$@"
    sleep 2; answer 0   # question 3 takes answers once its interlude is over
    box=$(wait_window "$ERROR_TITLE" 10)
    check "$case: an error box appears at the next answer" [ -n "$box" ]
    if [ -n "$box" ]; then
      screenshot "$work/$name-box.png" "$box"   # the box itself: the root of a bare Xvfb shows it black
      dismiss_box "$ERROR_TITLE"
    else  # the game said nothing: end it as a player would
      sleep 3; press "$quiz" Escape; sleep 0.5; press "$quiz" Escape
    fi
  fi
  end_case 10
  check "$case: one error, naming USER.ASC and the reason ($(sed -n 's/^quorvel-challenge: //p' "$log"))" \
    bash -c "[ $(errors_on_stderr) = 1 ] && grep -Eq 'USER\.ASC: cannot save the progress: $pattern' '$log'"
}
# small_file_system DIR: a tmpfs mounted at DIR, 16 MiB roomier than the game's program (which
# the data folder holds; a sanitizer build's is over 32 MiB).
small_file_system() {
  local size=$(( $(du -sm "$bin/quorvel-challenge" | cut -f1) + 16 ))
  mkdir -p "$1" && mount -t tmpfs -o "size=${size}m,mode=755" tmpfs "$1" 2>/dev/null && mounts+=("$1")
}
fill_up() { dd if=/dev/zero of="$1/filler" bs=64k 2>/dev/null; sync; }

if small_file_system "$work/full"; then
  start_case full-disk "$work/full/game"
  save_fails "a full file system" 'No space left on device' fill_up "$work/full"
  expect "a full file system at the next save" 1 "3 1 1"
  check "a full file system: USER.ASC is whole (five lines)" [ "$(wc -l <"$folder/USER.ASC")" = 5 ]
else
  echo "skipped: a full file system (mounting a tmpfs needs root)"
fi

if small_file_system "$work/ro"; then
  start_case read-only "$work/ro/game"
  save_fails "a read-only file system" 'Read-only file system' mount -o remount,ro "$work/ro"
  expect "a read-only file system at the next save" 1 "3 1 1"
else
  echo "skipped: a read-only file system (mounting a tmpfs needs root)"
fi

start_case vanished
save_fails "a vanished data folder" 'No such file or directory' rm -rf "$work/vanished"
check "a vanished data folder: exit status 1 (got $STATUS)" [ "$STATUS" = 1 ]
results+=("a vanished data folder at the next save | status $STATUS | (no folder left)")

# --- the last question of a bank of 32767 -------------------------------------------------------
awk 'BEGIN { print "The Quorvel Challenge"; print "A bank as full as a bank can be";
             for (i = 1; i <= 32767; i++) printf "1\n0\n2\n\nQuestion %d?\nYes\nNo\n'"'''"' %d\n", i, i }' >"$work/full-bank.asc"
encode "$work/full-bank.asc" "$work/FULL.ASC"
start_case full-bank "" "$work/FULL.ASC" "32767 32766 0"
if quiz=$(skip_to_quiz 20); then
  sleep 0.5; answer 3
  screenshot "$work/final-screen.png" "$quiz"
  check "32767 questions: no error after the last answer" [ -z "$(visible_window "$ERROR_TITLE")" ]
  check "32767 questions: the answer saved a new game at once ($(progress "$folder/USER.ASC"))" \
    [ "$(progress "$folder/USER.ASC")" = "1 0 0" ]
  press "$quiz" Escape
fi
end_case 10
expect "32767 questions: the last one answered, then Esc" 0 "1 0 0"; no_error_reported

echo
echo "Results:"
printf '  %s\n' "${results[@]}"
if [ "$failed" -gt 0 ]; then
  mkdir -p "${E2E_KEEP:-/tmp}/quorvel-faults"; cp "$work"/*.png "$work"/*.log "${E2E_KEEP:-/tmp}/quorvel-faults/" 2>/dev/null
  echo "screenshots and logs kept in ${E2E_KEEP:-/tmp}/quorvel-faults"
fi
checks_done
