# Shared by make-sounds.sh and make-clips.sh: a tiny sequencer on top of sox.
#
# A track is a list of tokens "WHAT:BEATS". WHAT is a note name (C4, F#5, Bb3), several notes
# joined by "+" (a chord), "r" (a rest) or a drum letter (k kick, s snare, h closed hat,
# o open hat, w woodblock, t timpani, c crash). Every token lasts BEATS beats at the track's tempo;
# pitched notes are played by the track's voice (one of the voice_* functions below).

set -euo pipefail
shopt -s inherit_errexit

command -v sox >/dev/null || { echo "sox is missing: apt-get install sox" >&2; exit 1; }

RATE=${RATE:-44100}
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Every sox run is repeatable (-R seeds noise and dither), so a rerun writes the same bytes.
sox() { command sox -R "$@"; }
render() { sox -D -q -n -r "$RATE" -c 1 -b 16 "$@"; }
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }

# Frequency in Hz of a note name such as A4 (440), C#5 or Eb3.
freq() {
  awk -v n="$1" 'BEGIN {
    split("C D E F G A B", names, " "); split("0 2 4 5 7 9 11", semis, " ")
    for (i = 1; i <= 7; i++) if (substr(n, 1, 1) == names[i]) s = semis[i]
    rest = substr(n, 2)
    if (substr(rest, 1, 1) == "#") { s++; rest = substr(rest, 2) }
    else if (substr(rest, 1, 1) == "b") { s--; rest = substr(rest, 2) }
    midi = 12 * (rest + 1) + s
    printf "%.3f", 440 * 2 ^ ((midi - 69) / 12)
  }'
}

# Voices: voice_NAME OUT SECONDS FREQ. Each shapes its own attack and release so notes join
# without clicks.
voice_brass()  { render "$1" synth "$2" sawtooth "$3" sawtooth mix "$(calc "$3*1.004")" lowpass 1800 fade q 0.03 "$2" 0.06; }
voice_reed()   { render "$1" synth "$2" square "$3" square mix "$(calc "$3*1.007")" lowpass 2400 fade q 0.01 "$2" 0.03; }
voice_lead()   { render "$1" synth "$2" square "$3" overdrive 12 gain -8 lowpass 3500 fade q 0.005 "$2" 0.03; }
voice_pluck()  { render "$1" synth "$2" pluck "$3" fade q 0.002 "$2" 0.02; }
voice_fiddle() { render "$1" synth "$2" sawtooth "$3" lowpass 2600 tremolo 6 25 fade q 0.04 "$2" 0.05; }
voice_tuba()   { render "$1" synth "$2" sawtooth "$3" lowpass 450 fade q 0.05 "$2" 0.08; }
voice_bell()   { render "$1" synth "$2" sine "$3" sine mix "$(calc "$3*2.76")" fade l 0.002 "$2" "$(calc "$2-0.003")"; }
voice_glass()  { render "$1" synth "$2" triangle "$3" fade q 0.01 "$2" "$(calc "$2*0.8")"; }
voice_organ()  { render "$1" synth "$2" sine "$3" sine mix "$(calc "$3*2")" tremolo 5 35 fade h "$(calc "$2*0.3")" "$2" "$(calc "$2*0.3")"; }
voice_soft()   { render "$1" synth "$2" sine "$3" fade h 0.05 "$2" 0.12; }
voice_bass()   { render "$1" synth "$2" sawtooth "$3" lowpass 900 fade q 0.005 "$2" 0.03; }
voice_strings() { render "$1" synth "$2" sawtooth "$3" sawtooth mix "$(calc "$3*1.008")" lowpass 3000 fade q 0.05 "$2" 0.1; }
voice_buzz()   { render "$1" synth "$2" square "$3" sawtooth mix "$(calc "$3*1.06")" lowpass 1400 fade q 0.01 "$2" 0.03; }

# Drum hits: drum LETTER OUT SECONDS (the hit is cut or padded to the step's length).
drum() {
  local hit=$WORK/hit-$1.wav
  if [ ! -f "$hit" ]; then
    case $1 in
      k) render "$hit" synth 0.2 sine 160:45 fade q 0.001 0.2 0.18 ;;
      s) render "$hit" synth 0.16 whitenoise sine mix 190 gain -6 highpass 300 lowpass 7000 fade q 0.001 0.16 0.15 gain -3 ;;
      h) render "$hit" synth 0.05 whitenoise gain -6 highpass 7000 fade q 0.001 0.05 0.045 gain -4 ;;
      o) render "$hit" synth 0.22 whitenoise gain -6 highpass 6000 fade q 0.001 0.22 0.2 gain -6 ;;
      w) render "$hit" synth 0.07 sine 1250 fade q 0.001 0.07 0.065 gain -3 ;;
      t) render "$hit" synth 0.7 sine 98:88 fade q 0.002 0.7 0.68 gain -3 ;;
      c) render "$hit" synth 1.6 whitenoise gain -6 highpass 4500 fade q 0.001 1.6 1.59 gain -4 ;;
      *) echo "unknown drum '$1'" >&2; exit 1 ;;
    esac
  fi
  if awk -v h="$(soxi -D "$hit")" -v s="$3" 'BEGIN { exit !(h > s) }'; then
    sox -q "$hit" "$2" trim 0 "$3"
  else
    sox -q "$hit" "$2" pad 0 "$(calc "$3-$(soxi -D "$hit")")"
  fi
}

# One token of a track, rendered into OUT (cached: tunes repeat their notes).
piece() { # VOICE WHAT SECONDS -> prints the file
  local voice=$1 what=$2 secs=$3
  local out=$WORK/p-$voice-${what//[#+]/_}-$secs.wav
  if [ ! -f "$out" ]; then
    case $what in
      r) render "$out" trim 0 "$secs" ;;
      [kshowtc]) drum "$what" "$out" "$secs" ;;
      *+*)
        local parts=() n
        for n in ${what//+/ }; do parts+=("$(piece "$voice" "$n" "$secs")"); done
        sox -q -m "${parts[@]}" "$out" ;;
      *) "voice_$voice" "$out" "$secs" "$(freq "$what")" ;;
    esac
  fi
  echo "$out"
}

# track OUT BPM VOICE TOKENS...
track() {
  local out=$1 bpm=$2 voice=$3; shift 3
  local files=() tok
  for tok in "$@"; do
    files+=("$(piece "$voice" "${tok%%:*}" "$(calc "${tok##*:}*60/$bpm")")")
  done
  if [ ${#files[@]} -eq 1 ]; then cp "${files[0]}" "$out"; else sox -q "${files[@]}" "$out"; fi
}

# repeat_to OUT SECONDS IN: loops IN until it lasts at least SECONDS, then cuts it there.
repeat_to() {
  local len times
  len=$(soxi -D "$3")
  times=$(awk -v l="$len" -v s="$2" 'BEGIN { n = int(s / l); print (n * l >= s) ? n - 1 : n }')
  sox -q "$3" "$1" repeat "$times" trim 0 "$2"
}

# mix OUT VOL1 TRACK1 VOL2 TRACK2 ...
mix() {
  local out=$1; shift
  local args=()
  # Half of each volume: headroom so the sum does not clip; loudness() sets the final level.
  while [ $# -gt 0 ]; do args+=(-v "$(calc "$1*0.5")" "$2"); shift 2; done
  if [ ${#args[@]} -eq 2 ]; then sox -q "${args[@]}" "$out"; else sox -q -m "${args[@]}" "$out"; fi
}

# loudness IN OUT RMS_DB: brings the average level to RMS_DB, never letting a peak pass -1 dBFS,
# so that no sound of the game is startling next to another.
loudness() {
  local rms pk gain
  read -r rms pk < <(sox "$1" -n stats 2>&1 | awk '/RMS lev dB/ { r = $4 } /Pk lev dB/ { p = $4 } END { print r, p }')
  gain=$(awk -v r="$rms" -v p="$pk" -v t="$3" 'BEGIN { g = t - r; if (p + g > -1) g = -1 - p; printf "%.2f", g }')
  sox -q "$1" -b 16 "$2" gain "$gain"
}
