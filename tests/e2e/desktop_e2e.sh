#!/usr/bin/env bash
# The real game inside a real desktop (started by tests/services/start-desktop): the intro over
# the desktop, the first question without any help, answers from the keyboard, Esc twice and
# the progress file. Everything is seen as a player sees it: screenshots of the desktop's Xvfb,
# keys typed into it.
# Usage: desktop_e2e.sh BIN_DIR DESKTOP PLATFORM [SHOTS_DIR]
#   DESKTOP   mutter, weston or xfwm4 (its fixture runs in $QUORVEL_SERVICES_DIR/DESKTOP)
#   PLATFORM  wayland (a Wayland client) or xcb (an X client: through Xwayland on mutter)
#   SHOTS_DIR keeps the screen before the game, an intro frame and the first question there
set -u
bin=$(cd "$1" && pwd); desktop=$2; platform=$3; shots=${4:-}
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"
fixture="${QUORVEL_SERVICES_DIR:?}/$desktop"
[ -s "$fixture/display" ] || { echo "the $desktop desktop is not running"; exit 1; }

work=$(mktemp -d)
GAME_PID=
cleanup() { [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT

# Screenshots and keys go to the desktop's Xvfb; the game gets the desktop's own variables.
export DISPLAY=":$(cat "$fixture/display")"
game_env=(QT_QPA_PLATFORM="$platform")
while IFS='=' read -r name value; do
  case $name in
    WAYLAND_DISPLAY|XDG_RUNTIME_DIR) game_env+=("$name=$value") ;;
    XWAYLAND_DISPLAY) [ "$platform" = xcb ] && game_env+=("DISPLAY=$value") ;;
    XAUTHORITY) game_env+=("$name=$value") ;;
  esac
done <"$fixture/env"
[ "$platform" = wayland ] && game_env+=(DISPLAY=)

width=$(xdotool getdisplaygeometry | awk '{print $1}')
height=$(xdotool getdisplaygeometry | awk '{print $2}')
pixels=$((width * height))
title_pixels=$((599 * 127))

# white_share FILE: the share (0..1) of pure white in a band across the screen's middle, where
# the quiz window's white background shows and the intro's title never covers it all.
white_share() {
  convert "$1" -crop "$((width / 3))x40+$((width / 3))+$((height / 2 - 20))" +repage \
    -fill black +opaque white -format '%[fx:mean]' info: 2>/dev/null
}
quiz_on_screen() { awk -v s="$(white_share "$1")" 'BEGIN {exit !(s > 0.5)}'; }

# quiz_place FRAME: the box (WxH+X+Y) of what differs from the desktop in a frame that shows the
# quiz window: the window with its frame and shadow, wherever the desktop put it. Thin strokes,
# such as a panel clock that has moved on, are left out; that also wears a pixel off the window's
# edges and leaves out the faint rim of its shadow, which a margin of 12 pixels gives back.
quiz_place() {
  convert "$work/desktop.png" "$1" -compose difference -composite -colorspace gray -threshold 4% \
    -morphology Open Square:3 -format '%@' info: 2>/dev/null |
    awk -F'[x+]' '{printf "%dx%d+%d+%d", $1 + 24, $2 + 24, ($3 > 12 ? $3 - 12 : 0), ($4 > 12 ? $4 - 12 : 0)}'
}
# quiz_arriving FRAME DIFFERING: the frame differs from the desktop by more than a title can, all
# of it where the quiz window shows ($quiz_area): the quiz window is opening, the intro is over.
quiz_arriving() {
  local inside
  [ "$2" -gt "$title_pixels" ] || return 1
  inside=$(differing_pixels "$work/desktop.png" "$1" "$quiz_area")
  [ $(($2 - inside)) -lt 1000 ]
}

# outside_title_share DIFFERING: per cent of the screen outside the title (its 599 x 127 pixels,
# wherever it is) that equals the desktop as it was before the game, when DIFFERING pixels differ.
outside_title_share() {
  awk -v d="$1" -v all="$pixels" -v t="$title_pixels" \
    'BEGIN {e = all - d; if (e > all - t) e = all - t; printf "%.1f", 100 * e / (all - t)}'
}

folder="$work/game"
make_data_folder "$folder" "$bin" "$here/three-questions.asc"
# A bare X server under a window manager shows its root window: give it a busy picture.
[ "$desktop" = xfwm4 ] && paint_desktop
xdotool mousemove $((width / 2)) $((height - 5))  # the pointer rests on the desktop's output
sleep 0.5
screenshot "$work/desktop.png"

# --- the intro: frames until the quiz window shows -------------------------------------------
(cd / && exec env "${game_env[@]}" "$folder/quorvel-challenge" >"$work/game.log" 2>&1) &
GAME_PID=$!
start=$(now_ms) n=0 quiz_frame= checked=$start
# Raw frames as fast as xwd gives them; every second the newest one is asked for the quiz.
while [ $(( $(now_ms) - start )) -lt 45000 ] && kill -0 "$GAME_PID" 2>/dev/null; do
  n=$((n + 1)); frame="$work/frame-$(printf %04d $n).xwd"
  xwd -silent -root >"$frame"
  if [ $(( $(now_ms) - checked )) -ge 1000 ]; then
    checked=$(now_ms)
    if quiz_on_screen "xwd:$frame"; then quiz_frame=$frame; break; fi
  fi
done
appeared=$(( $(now_ms) - start ))
check "the quiz window shows by itself after the intro (after $appeared ms, $n frames)" [ -n "$quiz_frame" ]

# The last frames may show the quiz window opening: a compositor zooms and fades it in over a few
# frames, which may begin a whole quiz check before the check that sees it. Walking back from the
# end, the frames that differ from the desktop only where the quiz window shows are not the intro's.
frames=("$work"/frame-*.xwd)
if [ -n "$quiz_frame" ]; then
  unset 'frames[-1]'
  convert "xwd:$quiz_frame" "$work/quiz.png"
  quiz_area=$(quiz_place "$work/quiz.png")
  echo "the quiz window shows at $quiz_area"
fi
while [ -n "$quiz_frame" ] && [ ${#frames[@]} -gt 0 ]; do
  frame="${frames[-1]%.xwd}.png"
  convert "xwd:${frames[-1]}" "$frame"
  quiz_arriving "$frame" "$(differing_pixels "$work/desktop.png" "$frame")" || break
  unset 'frames[-1]'
done

# Up to 16 frames spread over the intro, each compared with the desktop before the game.
stride=$(( (${#frames[@]} + 15) / 16 )); [ "$stride" -lt 1 ] && stride=1
lowest=100 changed=0 intro_frame=
for ((i = 0; i < ${#frames[@]}; i += stride)); do
  frame="${frames[$i]%.xwd}.png"
  [ -s "$frame" ] || convert "xwd:${frames[$i]}" "$frame"
  title=$(differing_pixels "$work/desktop.png" "$frame")
  share=$(outside_title_share "$title")
  echo "intro frame $(basename "$frame" .png): $share % of the screen outside the title equals the desktop ($title pixels differ)"
  awk -v a="$share" -v b="$lowest" 'BEGIN {exit !(a < b)}' && lowest=$share
  if [ "$title" -gt 5000 ]; then
    changed=$((changed + 1))
    # The picture for the README: a frame well into the intro.
    [ "$changed" -le 3 ] && intro_frame=$frame
  fi
done
rm -f "$work"/frame-*.xwd
echo "lowest share over the intro's frames: $lowest %"
check "the title shows over the desktop in $changed frames" [ "$changed" -ge 2 ]
check "every intro frame shows the desktop outside the title (lowest $lowest %)" \
  awk -v a="$lowest" 'BEGIN {exit !(a >= 80)}'

# --- the first question, answers, Esc twice ---------------------------------------------------
sleep 1
screenshot "$work/question.png"
check "the first question shows without any activation from the test" quiz_on_screen "$work/question.png"
if [ -n "$shots" ]; then
  mkdir -p "$shots"
  cp "$work/desktop.png" "$shots/desktop.png"
  [ -n "$intro_frame" ] && cp "$intro_frame" "$shots/intro.png"
  cp "$work/question.png" "$shots/question.png"
fi
for _ in 1 2; do
  xdotool key --delay 60 Tab; sleep 0.2
  xdotool key --delay 60 space; sleep 2.5   # the right or wrong sound plays to its end
done
xdotool key --delay 60 Escape; sleep 0.5
check "the first Esc keeps the game running (questions are left)" kill -0 "$GAME_PID"
xdotool key --delay 60 Escape
wait_exit "$GAME_PID" 10; status=$STATUS
[ "$status" != timeout ] && GAME_PID=
check "the second Esc ends the game with status 0 (got $status)" [ "$status" = 0 ]
user="$folder/USER.ASC"
check "USER.ASC: the next question is 3" [ "$(user_value "$user" 3)" = 3 ]
check "USER.ASC: one right, one wrong" [ "$(user_value "$user" 4) $(user_value "$user" 5)" = "1 1" ]

if [ "$failed" -gt 0 ]; then
  keep="${E2E_KEEP:-/tmp}/quorvel-e2e-$desktop-$platform"; mkdir -p "$keep"
  cp "$work"/*.png "$work"/*.log "$keep/" 2>/dev/null
  echo "screenshots and the game's output kept in $keep"
fi
checks_done
