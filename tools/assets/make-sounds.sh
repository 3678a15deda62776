#!/usr/bin/env bash
# Synthesises the game's five sound effects into resources/data/ (16-bit PCM, mono, 22050 Hz).
# Needs sox. The results are committed, so a build never runs this.
RATE=22050
source "$(dirname "$0")/synth-lib.sh"
DATA=$(cd "$(dirname "$0")/../../resources/data" && pwd)

# INTRO.WAV: a bright brass fanfare of about five seconds for the title animation:
# "ta-ta-ta-taaa", a rising answer, and a held C major chord over a timpani roll and a crash.
track "$WORK/fanfare.wav" 132 brass \
  G4:0.33 G4:0.33 G4:0.34 C5:1.5 r:0.25 E5:0.25 E5:0.25 F5:0.25 G5:1 E5:0.5 G5:0.5 \
  C5+E5+G5+C6:5.5
track "$WORK/timpani.wav" 132 brass \
  t:1 t:1.5 r:2.5 t:0.25 t:0.25 t:0.25 t:0.25 t:0.25 t:0.25 t:0.25 t:0.25 t:0.25 t:0.25 t:2
track "$WORK/crash.wav" 132 brass r:5 c:5.5
mix "$WORK/intro-mix.wav" 1.0 "$WORK/fanfare.wav" 0.6 "$WORK/timpani.wav" 0.2 "$WORK/crash.wav"
sox -q "$WORK/intro-mix.wav" "$WORK/intro-hall.wav" gain -6 pad 0 0.5 reverb 25
sox -q "$WORK/intro-hall.wav" "$WORK/intro.wav" trim 0 5.2 fade t 0 5.2 1.2
loudness "$WORK/intro.wav" "$DATA/INTRO.WAV" -18

# NULL.WAV: a quarter second of silence (used to cut a playing sound short).
render "$DATA/NULL.WAV" trim 0 0.25

# RIGHT.WAV: two glassy bell strokes a fifth apart, C6 then G6, ringing out within 0.7 s.
voice_bell "$WORK/ding1.wav" 0.7 "$(freq C6)"
voice_bell "$WORK/ding2.wav" 0.57 "$(freq G6)"
sox -q "$WORK/ding2.wav" "$WORK/ding2-late.wav" pad 0.13
mix "$WORK/right.wav" 0.8 "$WORK/ding1.wav" 1.0 "$WORK/ding2-late.wav"
loudness "$WORK/right.wav" "$DATA/RIGHT.WAV" -20

# WRONG.WAV: a low two-stroke buzzer, "bzz-bzzz", 0.6 s.
track "$WORK/wrong.wav" 100 buzz G2:0.37 r:0.1 F#2:0.53
loudness "$WORK/wrong.wav" "$DATA/WRONG.WAV" -23

# CLAPPING.WAV: three seconds of applause. Twelve clappers, each with a hand of its own (the
# pitch band of its claps) and a pace of its own, clap noise bursts cut at random places out of
# one noise recording; the crowd swells in and dies away.
RANDOM=2003
render "$WORK/noise.wav" synth 4 whitenoise
for c in $(seq 1 12); do
  band=$((700 + RANDOM % 1900))
  pace=$((180 + RANDOM % 120))                   # milliseconds between claps
  parts=("$WORK/lead-$c.wav")
  # $RANDOM is read here, never inside $( ): a subshell reseeds it and the claps would not repeat.
  ms=$((RANDOM % 300))
  render "${parts[0]}" trim 0 "$(calc "$ms/1000")"
  t=0
  while [ $t -lt 3300 ]; do
    clap=$WORK/clap-$c-$t.wav
    at=$((RANDOM % 3800))
    sox -q "$WORK/noise.wav" "$clap" trim "$(calc "$at/1000")" 0.035 \
      sinc "$((band / 2))-$((band * 2))" fade q 0.001 0.035 0.032
    gap=$WORK/gap-$c-$t.wav
    ms=$((pace - 35 + RANDOM % 40))
    render "$gap" trim 0 "$(calc "$ms/1000")"
    parts+=("$clap" "$gap")
    t=$((t + ms + 35))
  done
  sox -q "${parts[@]}" "$WORK/clapper-$c.wav"
done
sox -q -m "$WORK"/clapper-*.wav "$WORK/crowd.wav" trim 0 3.0 fade q 0.25 3.0 1.1
loudness "$WORK/crowd.wav" "$DATA/CLAPPING.WAV" -22

for f in INTRO NULL RIGHT WRONG CLAPPING; do
  printf '%-13s %6.2f s\n' "$f.WAV" "$(soxi -D "$DATA/$f.WAV")"
done
