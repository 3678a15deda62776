# Helpers for driving the real game on a private Xvfb display with xdotool.
# Sourced by the end-to-end tests, the start-up benchmark and the screenshot script.

QUIZ_TITLE='^The Quorvel Challenge'
INTRO_TITLE='^Quorvel Intro$'

# start_display WxHxD: a private Xvfb (-noreset: no reset when the last client leaves);
# exports DISPLAY and remembers the server for stop_display.
start_display() {
  local size=${1:-1024x768x24} fifo
  fifo=$(mktemp -u); mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 </dev/null &
  XVFB_PID=$!
  read -r -t 10 display_number <"$fifo"; rm -f "$fifo"
  [ -n "$display_number" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$display_number" QT_QPA_PLATFORM=xcb
}

stop_display() { [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null; wait "$XVFB_PID" 2>/dev/null; XVFB_PID=; }

# start_pulse DIR: a private PulseAudio with a null sink, its files in DIR; PULSE_ADDRESS is then
# what a game's PULSE_SERVER names. Fails, the reason in DIR/pulse-failed, when none starts.
# stop_pulse DIR ends it.
services_dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../services" && pwd)
start_pulse() {
  "$services_dir/start-pulse" "$1" >/dev/null && [ -s "$1/pulse-ready" ] || return 1
  PULSE_ADDRESS="unix:$1/pulse-runtime/pulse/native"
}
stop_pulse() { "$services_dir/stop-services" "$1" pulse >/dev/null 2>&1; }


# begin_run: a scratch folder $work for the script. When the script ends, the game it started
# last ($GAME_PID) and every program in run_pids are stopped, then end_run_extra runs if the
# script defines one, then the display stops and the folder goes.
run_pids=()
begin_run() {
  work=$(mktemp -d)
  trap end_run EXIT
}
end_run() {
  local pid
  for pid in ${GAME_PID:-} "${run_pids[@]}"; do kill "$pid" 2>/dev/null; done
  if declare -F end_run_extra >/dev/null; then end_run_extra; fi
  stop_display; rm -rf "$work"
}

# paint_desktop: a busy, deterministic root window picture, so that a capture can be recognised.
paint_desktop() {
  local size
  size=$(xdotool getdisplaygeometry | tr ' ' x)
  display -window root -size "$size" -seed 7 plasma:fractal 2>/dev/null
}

now_ms() { date +%s%3N; }

# visible_window REGEX: the id of a visible window whose name matches, or nothing.
visible_window() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1; }

# wait_window REGEX TIMEOUT_S: polls every 10 ms; prints the id, fails on timeout.
wait_window() {
  local deadline=$(( $(now_ms) + ${2:-10} * 1000 )) id
  while [ "$(now_ms)" -lt "$deadline" ]; do
    id=$(visible_window "$1"); [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.01
  done
  return 1
}

# wait_gone REGEX TIMEOUT_S
wait_gone() {
  local deadline=$(( $(now_ms) + ${2:-10} * 1000 ))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    [ -z "$(visible_window "$1")" ] && return 0
    sleep 0.01
  done
  return 1
}

# make_data_folder DIR BIN [PLAIN]: the game, a coded bank (the bundled one or PLAIN) and the sounds.
make_data_folder() {
  local dir=$1 bin=$2 plain=${3:-}
  mkdir -p "$dir"
  cp "$bin/quorvel-challenge" "$bin"/*.WAV "$dir/"
  cp "$bin"/*.MP3 "$dir/" 2>/dev/null || true
  if [ -n "$plain" ]; then "$bin/quorvel-bank" encode "$plain" "$dir/DATA.ASC" >/dev/null
  else cp "$bin/DATA.ASC" "$dir/"; fi
}

# dismiss_no_sound_card [WAIT_S]: without an audio output the game asks the player to
# acknowledge it before the intro; presses Return on the box until it has gone. Returns at once
# when the intro window shows first (the machine has sound).
dismiss_no_sound_card() {
  local id= deadline=$(( $(now_ms) + ${1:-3} * 1000 ))
  while [ "$(now_ms)" -lt "$deadline" ]; do
    id=$(visible_window '^No Sound Card$'); [ -n "$id" ] && break
    [ -n "$(visible_window "$INTRO_TITLE")" ] && return 0
    sleep 0.01
  done
  [ -n "$id" ] && dismiss_box '^No Sound Card$'
  return 0
}

# dismiss_box REGEX: as a player does: focus the box, press Return once, and only when it is
# still there after a while press again (a second Return would reach the next window).
dismiss_box() {
  local id tries=0
  while id=$(visible_window "$1") && [ -n "$id" ] && [ $tries -lt 3 ]; do
    press "$id" Return
    tries=$((tries + 1))
    wait_gone "$1" 2 && return 0
  done
  [ -z "$(visible_window "$1")" ]
}

# press WINDOW KEY...: gives the window the keyboard focus and types the keys as a keyboard
# does (XTEST). Keys are never sent to a window by id: when a key closes that window, xdotool
# dies on the next request and leaves the key held down, which then repeats into the next window.
press() {
  local window=$1; shift
  timeout 3 xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --delay 60 "$@"
}

# double_click X Y
double_click() { xdotool mousemove "$1" "$2" click --repeat 2 --delay 40 1; }

# skip_to_quiz [WAIT_S]: takes a starting game past the "No Sound Card" box and the intro (a
# double-click skips it) and prints the quiz window's id once it shows; fails when it does not.
skip_to_quiz() {
  local wait=${1:-10}
  dismiss_no_sound_card 3
  wait_window "$INTRO_TITLE" "$wait" >/dev/null && double_click 512 700
  wait_window "$QUIZ_TITLE" $((wait + 5))
}

# screenshot FILE [WINDOW]: the screen, or one window (a window that has gone gives no file).
screenshot() {
  local tmp; tmp=$(mktemp)
  if [ -n "${2:-}" ]; then xwd -silent -id "$2" >"$tmp" 2>/dev/null; else xwd -silent -root >"$tmp"; fi
  [ -s "$tmp" ] && convert "xwd:$tmp" "$1"
  rm -f "$tmp"
}

# differing_pixels A B [GEOMETRY]: pixels that differ by more than 4 % (optionally within WxH+X+Y).
differing_pixels() {
  local a=$1 b=$2 crop=${3:-} tmp
  if [ -n "$crop" ]; then
    tmp=$(mktemp -d)
    convert "$a" -crop "$crop" +repage "$tmp/a.png"; convert "$b" -crop "$crop" +repage "$tmp/b.png"
    a=$tmp/a.png b=$tmp/b.png
  fi
  compare -metric AE -fuzz 4% "$a" "$b" null: 2>&1 | awk 'NR == 1 {print int($1)}'
  [ -n "$crop" ] && rm -rf "$tmp"
  return 0
}

# user_value FILE LINE: the number at the start of a line of USER.ASC.
user_value() { sed -n "${2}p" "$1" | tr -d '\r' | awk '{print $1}'; }

# check NAME CONDITION...: runs one check and counts it; checks_done prints the tally and
# fails when any check failed.
passed=0 failed=0
check() {
  local name=$1; shift
  if "$@"; then passed=$((passed + 1)); echo "ok: $name"
  else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
checks_done() { echo "$passed passed, $failed failed"; [ "$failed" -eq 0 ]; }

# wait_exit PID TIMEOUT_S: waits for a game started by this shell to end; STATUS is its exit
# status, or "timeout" when it still runs.
wait_exit() {
  local pid=$1 deadline=$(( $(now_ms) + $2 * 1000 ))
  STATUS=timeout
  while [ "$(now_ms)" -lt "$deadline" ]; do
    if ! kill -0 "$pid" 2>/dev/null; then wait "$pid"; STATUS=$?; return 0; fi
    sleep 0.05
  done
}
