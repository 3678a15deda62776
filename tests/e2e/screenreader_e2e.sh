#!/usr/bin/env bash
# A blind player's game, heard through Debian's real screen reader: Orca speaks into
# speech-dispatcher's dummy output, and its debug log holds every line it speaks. The game is
# played from the keyboard: a wrong answer with its remark, the music question's "Listen", the
# close warning; then a second run answers the last question right and hears the verdict.
# Everything runs on a private Xvfb, D-Bus session and accessibility bus, with HOME and the
# runtime folder in a scratch folder, so nothing reaches the user's own settings.
# Usage: screenreader_e2e.sh BIN_DIR    (BIN_DIR holds quorvel-challenge, quorvel-bank, the sounds)
# Exits with 77 (skipped) when Orca is missing, or when another Orca of this user keeps running:
# Orca starts only where it is the user's only one, and it is never asked to replace another.
set -u
command -v orca >/dev/null && command -v speech-dispatcher >/dev/null \
  || { echo "orca or speech-dispatcher is not installed: skipped"; exit 77; }
# The scratch folder holds HOME and the runtime folder before the session bus starts, so that
# the bus, the screen reader and the speech server all keep their files there.
if [ -z "${QUORVEL_OWN_SESSION_BUS:-}" ]; then
  scratch=$(mktemp -d)
  mkdir -m 700 "$scratch/home" "$scratch/runtime"
  export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/home/.config" \
         XDG_DATA_HOME="$scratch/home/.local/share" XDG_CACHE_HOME="$scratch/home/.cache"
  QUORVEL_OWN_SESSION_BUS=1 dbus-run-session -- "$0" "$@"
  status=$?
  rm -rf "$scratch"
  exit $status
fi
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

end_run_extra() { stop_pulse "$work/pulse"; }
begin_run
log="$work/orca.log"

# Orca refuses to start beside another Orca of the same user (unless told to replace it, which
# this test never does): wait a while for one that runs, then give up.
for _ in $(seq 120); do
  pgrep -u "$(id -u)" -x orca >/dev/null || break
  sleep 1
done
pgrep -u "$(id -u)" -x orca >/dev/null && { echo "another Orca runs for this user: skipped"; exit 77; }

start_display 1024x768x24 || exit 1
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
printf 'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\n' >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
# Orca as installed, with its debug log written line by line, so each spoken line can be read
# as soon as it is spoken.
/usr/bin/python3 - "$log" >"$work/orca.out" 2>&1 <<'ORCA' &
import builtins, runpy, sys
log, plain_open = sys.argv[1], builtins.open
def line_by_line(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode:
        kwargs["buffering"] = 1
    return plain_open(file, mode, *args, **kwargs)
builtins.open = line_by_line
sys.argv = ["orca", "--debug-file", log]
runpy.run_path("/usr/bin/orca", run_name="__main__")
ORCA
run_pids+=($!)

# heard TEXT [TIMEOUT_S]: waits until Orca has spoken a line holding TEXT after the line last
# heard; then that line is the last heard. Fails on timeout.
last_heard=0
heard() { heard_any "${2:-20}" "$1"; }
# heard_any TIMEOUT_S TEXT...: the same, for a line holding any of the TEXTs.
heard_any() {
  local deadline=$(( $(now_ms) + $1 * 1000 )) n patterns=()
  for text in "${@:2}"; do patterns+=(-e "$text"); done
  while [ "$(now_ms)" -lt "$deadline" ]; do
    n=$(tail -n +"$((last_heard + 1))" "$log" 2>/dev/null | grep -n "SPEECH OUTPUT: '" | grep -F "${patterns[@]}" | head -n1 | cut -d: -f1)
    [ -n "$n" ] && { last_heard=$((last_heard + n)); return 0; }
    sleep 0.1
  done
  return 1
}
# Orca 43 (Debian 12) says "Close push button." and "notification Right." in one breath;
# Orca 48 (Debian 13) says "Close button." and "notification", then "Right.".
heard_button() { check "Orca says \"$1 push button.\"" heard_any 20 "$1 push button." "$1 button."; }
# announced TEXT: TEXT heard as a notification (the same line or the one before says so).
announced() {
  local deadline=$(( $(now_ms) + 20000 ))
  while heard "$1" $(( (deadline - $(now_ms)) / 1000 + 1 )); do
    head -n "$last_heard" "$log" | grep "SPEECH OUTPUT: '" | tail -n 2 | grep -q "notification" && return 0
  done
  return 1
}
heard_announced() { check "Orca says \"notification $1\"" announced "$1"; }
heard_next() { check "Orca says \"$1\"" heard "$@"; }
# spoken_since LINE: what Orca said from that line of its log on (lines of several lines whole),
# without its echo of the keys pressed.
spoken_since() {
  tail -n +"$(($1 + 1))" "$log" | awk '/SPEECH OUTPUT: \047/ {on = 1; sub(/.*SPEECH OUTPUT: /, "")}
    on {print} /\}$/ {on = 0}' | grep -v "^'[a-z]* ' {"
}

heard "Screen reader on." 30 || { cat "$work/orca.out"; echo "FAILED: Orca did not start"; exit 1; }

folder="$work/game"
make_data_folder "$folder" "$bin" "$here/orca-game.asc"
# The game gets a sound server, as a player who hears the music questions has: without one, the
# Return that closes the "No Sound Card" box races the quiz window's focus, and Orca 48 takes
# the focus it finds after that key as already presented, so Close is never spoken.
sound=()
start_pulse "$work/pulse" && sound=(PULSE_SERVER="$PULSE_ADDRESS")
# play: starts the game, takes it to the quiz window and prints what Orca says as it goes on.
play() {
  (cd / && exec env "${sound[@]}" "$folder/quorvel-challenge" >>"$work/game.log" 2>&1) &
  GAME_PID=$!
  quiz=$(skip_to_quiz 10)
  [ -n "$quiz" ] || { echo "no quiz window"; return 1; }
}

echo "=== the quiz shows"
from=$last_heard
play || checks_done
heard_button "Close"
heard_next "1. Which colour is Delvo's scooter?"
press "$quiz" Tab; heard_button "Teal"
press "$quiz" Tab; heard_button "Orange"
echo "=== a wrong answer with its remark, then the music question"
press "$quiz" space
heard_announced "Wrong. The right answer was Teal."
heard_announced "Orange was last year's scooter."
heard_announced "Listen"
heard_next "2. Which Delvo song is this?"
echo "=== Esc: the close warning"
sleep 1; press "$quiz" Escape
heard_announced "Hey, you still have 1 question left!"
press "$quiz" Escape
wait_exit "$GAME_PID" 5
check "the second Esc ends the game (status $STATUS)" [ "$STATUS" = 0 ]
GAME_PID=
spoken_since "$from"

echo "=== the next run: the last question answered right, then the verdict"
from=$last_heard
play || checks_done
heard_next "2. Which Delvo song is this?"
press "$quiz" Tab Tab Tab; heard_button "Quorvel Street"
press "$quiz" space
heard_announced "Right."
heard_next "FINAL SCORE:  1 correct, 1 incorrect"
check "the verdict is read with the score" \
  grep -qF "Not bad!  You only missed one." <(tail -n +"$last_heard" "$log" | head -n 3)
press "$quiz" Escape
wait_exit "$GAME_PID" 5
check "Esc on the final screen ends the game (status $STATUS)" [ "$STATUS" = 0 ]
GAME_PID=
spoken_since "$from"
[ "$failed" -gt 0 ] && cat "$work/game.log"
checks_done
