#!/usr/bin/env bash
# A blind player's game: the real game on a private Xvfb with a D-Bus session and an AT-SPI bus
# of its own, read and played through the accessibility bus by screenreader.py; a second Esc
# then ends it.
# Usage: screenreader_e2e.sh BIN_DIR    (BIN_DIR holds quorvel-challenge, quorvel-bank, the sounds)
set -u
# A session bus of our own, ended with this script; the accessibility bus and its registry are
# started on it by D-Bus activation and end with it.
if [ -z "${QUORVEL_OWN_SESSION_BUS:-}" ]; then
  QUORVEL_OWN_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi
bin=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

begin_run
# The accessibility bus puts its socket under the runtime folder: a private one.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

start_display 1024x768x24 || exit 1
# The game looks for the accessibility bus once, when it starts: have it running by then.
dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null \
  || { echo "no accessibility bus" >&2; exit 1; }
folder="$work/game"
make_data_folder "$folder" "$bin" "$here/three-questions.asc"

(cd / && QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 exec "$folder/quorvel-challenge" >"$work/game.log" 2>&1) &
GAME_PID=$!
dismiss_no_sound_card 3
/usr/bin/python3 "$here/screenreader.py"
check "the game is read and played through the accessibility bus" [ $? = 0 ]

quiz=$(visible_window "$QUIZ_TITLE")
[ -n "$quiz" ] && press "$quiz" Escape
wait_exit "$GAME_PID" 5; status=$STATUS
check "the second Esc ends the game with status 0 (got $status)" [ "$status" = 0 ]
[ "$status" = timeout ] || GAME_PID=
[ "$failed" -gt 0 ] && cat "$work/game.log"
checks_done
