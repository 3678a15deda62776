#!/usr/bin/env bash
# Takes the README's pictures of the game on a private Xvfb display (1024x768): the intro over
# the desktop (dissolve, slide, wipe), a question, and the final screen with its verdict.
# Usage: tools/screenshots.sh [BIN_DIR]   (default build/bin; writes docs/images/*.png)
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
bin=$(cd "${1:-$root/build/bin}" && pwd)
out="$root/docs/images"
. "$root/tests/e2e/lib.sh"

work=$(mktemp -d)
game_pid=
cleanup() { [ -n "$game_pid" ] && kill "$game_pid" 2>/dev/null; stop_display; rm -rf "$work"; }
trap cleanup EXIT
mkdir -p "$out"

start_display 1024x768x24 || exit 1
paint_desktop
screenshot "$work/desktop.png"
folder="$work/game"; make_data_folder "$folder" "$bin"
export QT_QPA_PLATFORM=xcb

start_game() {
  "$folder/quorvel-challenge" >"$work/game.log" 2>&1 &
  game_pid=$!
  dismiss_no_sound_card 3
}

close_game() {
  press "$1" Escape; sleep 0.3; press "$1" Escape
  for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
  game_pid=
}

# --- the intro: a burst of frames, then the dissolve, slide and wipe picked from it ----------
start_game
wait_window "$INTRO_TITLE" 10 >/dev/null || { echo "no intro window"; exit 1; }
start=$(now_ms); n=0
while [ $(( $(now_ms) - start )) -lt 12000 ] && [ -z "$(visible_window "$QUIZ_TITLE")" ]; do
  n=$((n + 1)); xwd -root -silent >"$work/frame-$(printf %04d $n).xwd"
done
quiz=$(wait_window "$QUIZ_TITLE" 10)
# How much of the title each frame shows at the top (the dissolve), across the middle (the
# slide) and at the slide's end (the wipe eats the title there from its centre).
regions=(599x127+212+25 599x200+212+250 599x127+212+539)
for i in 0 1 2; do convert "$work/desktop.png" -crop "${regions[$i]}" +repage "$work/desk-$i.png"; done
shows() {  # shows FRAME: the differing pixel counts of the three regions
  convert "xwd:$1" \( +clone -crop "${regions[0]}" +repage -write "$work/r0.png" +delete \) \
    \( +clone -crop "${regions[1]}" +repage -write "$work/r1.png" +delete \) \
    -crop "${regions[2]}" +repage "$work/r2.png"
  for i in 0 1 2; do
    compare -metric AE -fuzz 4% "$work/desk-$i.png" "$work/r$i.png" null: 2>&1 | awk '{printf "%d ", $1}'
  done
}
dissolve= slide= wipe= full=0
for f in "$work"/frame-*.xwd; do
  read -r top middle end < <(shows "$f")
  [ -z "$dissolve" ] && [ "$top" -gt 12000 ] && dissolve=$f
  [ -z "$slide" ] && [ "$top" -lt 500 ] && [ "$middle" -gt 15000 ] && slide=$f
  [ "$end" -gt "$full" ] && full=$end
  # Half way through the wipe: the title at the slide's end is about half gone.
  [ -z "$wipe" ] && [ "$full" -gt 15000 ] && [ "$end" -lt $((full / 2)) ] && [ "$end" -gt $((full / 5)) ] && wipe=$f
done
for pair in "intro-dissolve:$dissolve" "intro-slide:$slide" "intro-wipe:$wipe"; do
  name=${pair%%:*} file=${pair#*:}
  if [ -n "$file" ]; then convert "xwd:$file" -resize 50% "$out/$name.png"; echo "wrote docs/images/$name.png"
  else echo "no frame caught for $name"; fi
done
rm -f "$work"/frame-*.xwd

# --- a question ----------------------------------------------------------------------------------
sleep 1
screenshot "$out/question.png" "$quiz"; echo "wrote docs/images/question.png"
close_game "$quiz"

# --- the final screen: the progress file puts the player at the last question -----------------------
count=$("$bin/quorvel-bank" dump "$folder/DATA.ASC" | wc -l)
right=$("$bin/quorvel-bank" dump "$folder/DATA.ASC" "$count" | sed -n 's/.*"rightAnswer": *\([0-9]*\).*/\1/p')
printf 'PLEASE DO NOT MODIFY THIS FILE!\r\n1   '"'"'Sound on/off\r\n%-4s'"'"'Current question\r\n%-4s'"'"'# Correct\r\n1   '"'"'# Incorrect\r\n' \
  "$count" $((count - 2)) >"$folder/USER.ASC"
start_game
wait_window "$INTRO_TITLE" 10 >/dev/null && double_click 512 700
quiz=$(wait_window "$QUIZ_TITLE" 10) || { echo "no quiz window"; exit 1; }
sleep 1.5
# The answer buttons stand in a column at the window's left, 32 pixels apart (1024x768 layout).
xdotool mousemove --window "$quiz" 53 $((93 + 32 * (right - 1))) click 1
sleep 4
screenshot "$out/final-screen.png" "$quiz"; echo "wrote docs/images/final-screen.png"
close_game "$quiz"
