#!/usr/bin/env bash
# Starts and closes the real game RUNS times with sound on (intro skipped, Esc twice) and
# counts its exit statuses: a close must end with status 0 every time, never with an abort
# from the audio libraries' teardown. Run under tests/services/with-services, with
# QUORVEL_AUDIO_SERVER=pulse or pipewire.
# Usage: exit_stress.sh BIN_DIR [RUNS]
set -u
bin=$(cd "$1" && pwd); runs=${2:-200}
. "$(dirname "$0")/../tests/e2e/lib.sh"
begin_run
start_display 1024x768x24 || exit 1
folder=$work/game; make_data_folder "$folder" "$bin"
declare -A statuses
for ((i = 1; i <= runs; i++)); do
  (cd / && exec "$folder/quorvel-challenge" >"$work/run.log" 2>&1) &
  GAME_PID=$!
  if quiz=$(skip_to_quiz 10); then sleep 0.3; press "$quiz" Escape; sleep 0.3; press "$quiz" Escape; fi
  wait_exit "$GAME_PID" 10
  [ "$STATUS" = timeout ] && { kill -9 "$GAME_PID"; wait "$GAME_PID" 2>/dev/null; }
  statuses[$STATUS]=$(( ${statuses[$STATUS]:-0} + 1 ))
  grep -q "Assertion" "$work/run.log" && cp "$work/run.log" "$work/../abort-$i.log"
done
echo "${QUORVEL_AUDIO_SERVER:-pulse}: $runs starts and closes"
for s in "${!statuses[@]}"; do echo "  exit status $s: ${statuses[$s]}"; done
