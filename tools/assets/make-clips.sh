#!/usr/bin/env bash
# Synthesises the opening bars of ten Delvo songs (resources/data/LORE.md describes each) and
# encodes them as mono MP3 clips, 64 kbit/s, CLIP01.MP3 to CLIP10.MP3 in resources/data/.
# Needs sox and lame. The results are committed, so a build never runs this.
# Every song differs in tempo, melody and instruments, so a player who knows them can tell
# them apart from the first bars.
RATE=44100
source "$(dirname "$0")/synth-lib.sh"
command -v lame >/dev/null || { echo "lame is missing: apt-get install lame" >&2; exit 1; }
DATA=$(cd "$(dirname "$0")/../../resources/data" && pwd)
LENGTH=11.5

# finish NUMBER VOL1 TRACK1 ...: mixes the song's tracks, loops them to LENGTH seconds, fades
# out the last second and a bit, evens the loudness and encodes the clip.
finish() {
  local n=$1; shift
  mix "$WORK/song.wav" "$@"
  repeat_to "$WORK/long.wav" "$LENGTH" "$WORK/song.wav"
  sox -q "$WORK/long.wav" "$WORK/faded.wav" fade q 0.02 "$LENGTH" 1.2
  loudness "$WORK/faded.wav" "$WORK/clip.wav" -18
  lame --quiet --noreplaygain -m m -b 64 "$WORK/clip.wav" "$DATA/CLIP$n.MP3"
  rm -f "$WORK"/song.wav "$WORK"/long.wav "$WORK"/faded.wav "$WORK"/clip.wav
  lame --quiet --decode "$DATA/CLIP$n.MP3" "$WORK/decoded.wav"
  printf 'CLIP%s.MP3 %6.2f s %7d bytes\n' "$n" "$(soxi -D "$WORK/decoded.wav")" "$(stat -c %s "$DATA/CLIP$n.MP3")"
}

# 01 "Runaway Accordion": breakneck polka in G, reedy accordion over oom-pah tuba.
BPM=176
track "$WORK/a.wav" $BPM reed \
  G4:0.5 B4:0.5 D5:0.5 B4:0.5 G5:1 D5:1 E5:0.5 D5:0.5 C5:0.5 B4:0.5 A4:1 r:1 \
  F#4:0.5 A4:0.5 C5:0.5 A4:0.5 F#5:1 C5:1 D5:0.5 C5:0.5 B4:0.5 A4:0.5 G4:1 r:1
track "$WORK/b.wav" $BPM tuba \
  G2:0.5 r:0.5 D2:0.5 r:0.5 G2:0.5 r:0.5 D2:0.5 r:0.5 C2:0.5 r:0.5 G2:0.5 r:0.5 D2:0.5 r:0.5 A2:0.5 r:0.5 \
  D2:0.5 r:0.5 A2:0.5 r:0.5 D2:0.5 r:0.5 A2:0.5 r:0.5 D2:0.5 r:0.5 A2:0.5 r:0.5 G2:0.5 r:0.5 D2:0.5 r:0.5
track "$WORK/c.wav" $BPM reed \
  r:0.5 G3+B3+D4:0.5 r:0.5 G3+B3+D4:0.5 r:0.5 G3+B3+D4:0.5 r:0.5 G3+B3+D4:0.5 \
  r:0.5 C4+E4+G4:0.5 r:0.5 C4+E4+G4:0.5 r:0.5 D4+F#4+A4:0.5 r:0.5 D4+F#4+A4:0.5 \
  r:0.5 D4+F#4+C5:0.5 r:0.5 D4+F#4+C5:0.5 r:0.5 D4+F#4+C5:0.5 r:0.5 D4+F#4+C5:0.5 \
  r:0.5 D4+F#4+A4:0.5 r:0.5 D4+F#4+A4:0.5 r:0.5 G3+B3+D4:0.5 r:0.5 G3+B3+D4:0.5
finish 01 1.0 "$WORK/a.wav" 0.9 "$WORK/b.wav" 0.35 "$WORK/c.wav"

# 02 "Pickled Onion Blues": lazy shuffle in E on a plucked guitar.
BPM=84
track "$WORK/a.wav" $BPM pluck \
  E4:0.67 G4:0.33 A4:0.67 Bb4:0.33 B4:1 G4:0.67 E4:0.33 D4:1.5 E4:0.5 r:2 \
  A4:0.67 C5:0.33 D5:0.67 Eb5:0.33 E5:1 D5:0.67 B4:0.33 A4:1 G4:0.67 E4:0.33 r:2
track "$WORK/b.wav" $BPM pluck \
  E2:0.67 E2:0.33 G#2:0.67 G#2:0.33 B2:0.67 B2:0.33 C#3:0.67 B2:0.33 \
  E2:0.67 E2:0.33 G#2:0.67 G#2:0.33 B2:0.67 B2:0.33 C#3:0.67 B2:0.33 \
  A2:0.67 A2:0.33 C#3:0.67 C#3:0.33 E3:0.67 E3:0.33 F#3:0.67 E3:0.33 \
  E2:0.67 E2:0.33 G#2:0.67 G#2:0.33 B2:0.67 B2:0.33 C#3:0.67 B2:0.33
track "$WORK/d.wav" $BPM pluck h:0.67 h:0.33 s:0.67 h:0.33 h:0.67 h:0.33 s:0.67 h:0.33
repeat_to "$WORK/dd.wav" "$(soxi -D "$WORK/a.wav")" "$WORK/d.wav"
finish 02 1.0 "$WORK/a.wav" 0.8 "$WORK/b.wav" 0.4 "$WORK/dd.wav"

# 03 "Pancake Thunder": fast rock in E minor, buzzy overdriven lead, pounding drums.
BPM=152
track "$WORK/a.wav" $BPM lead \
  E4:0.5 E4:0.5 G4:0.5 E4:0.5 A4:0.5 G4:0.5 E4:0.5 D4:0.5 E4:0.5 E4:0.5 G4:0.5 E4:0.5 B4:1 A4:1 \
  E5:0.5 E5:0.5 D5:0.5 B4:0.5 D5:0.5 B4:0.5 A4:0.5 G4:0.5 A4:0.5 G4:0.5 E4:0.5 D4:0.5 E4:2
track "$WORK/b.wav" $BPM bass \
  E2:0.5 E2:0.5 E2:0.5 E2:0.5 E2:0.5 E2:0.5 D2:0.5 D2:0.5 E2:0.5 E2:0.5 E2:0.5 E2:0.5 G2:0.5 G2:0.5 A2:0.5 A2:0.5 \
  C3:0.5 C3:0.5 C3:0.5 C3:0.5 D3:0.5 D3:0.5 D3:0.5 D3:0.5 A2:0.5 A2:0.5 B2:0.5 B2:0.5 E2:0.5 E2:0.5 E2:0.5 E2:0.5
track "$WORK/d.wav" $BPM bass k:0.5 h:0.5 s:0.5 h:0.5 k:0.5 k:0.5 s:0.5 h:0.5
repeat_to "$WORK/dd.wav" "$(soxi -D "$WORK/a.wav")" "$WORK/d.wav"
finish 03 0.8 "$WORK/a.wav" 0.7 "$WORK/b.wav" 1.0 "$WORK/dd.wav"

# 04 "Beverly, Take Me Home": rolling country tune in D, fiddle over a train beat.
BPM=120
track "$WORK/a.wav" $BPM fiddle \
  A4:1 D5:1 F#5:1.5 E5:0.5 D5:1 B4:1 A4:2 B4:1 D5:1 E5:1.5 F#5:0.5 E5:3 r:1 \
  A4:1 D5:1 F#5:1.5 A5:0.5 G5:1 F#5:1 E5:2 D5:1 E5:1 F#5:1 E5:1 D5:3 r:1
track "$WORK/b.wav" $BPM pluck \
  D2:1 A2:1 D2:1 A2:1 G2:1 D3:1 D2:1 A2:1 G2:1 D3:1 A2:1 E3:1 A2:1 E3:1 A2:1 C#3:1 \
  D2:1 A2:1 D2:1 A2:1 G2:1 D3:1 A2:1 E3:1 D2:1 A2:1 A2:1 E3:1 D2:1 A2:1 D2:2
track "$WORK/d.wav" $BPM pluck s:0.25 h:0.25 h:0.25 h:0.25 s:0.25 h:0.25 h:0.25 h:0.25
repeat_to "$WORK/dd.wav" "$(soxi -D "$WORK/a.wav")" "$WORK/d.wav"
finish 04 1.0 "$WORK/a.wav" 0.8 "$WORK/b.wav" 0.3 "$WORK/dd.wav"

# 05 "Quorvel Street": the proud anthem in C, brass at a marching pace, snare and tuba.
BPM=108
track "$WORK/a.wav" $BPM brass \
  G4:0.75 G4:0.25 C5:1 E5:1 G5:1 F5:0.75 E5:0.25 D5:1 C5:2 \
  A4:0.75 A4:0.25 D5:1 F5:1 A5:1 G5:0.75 F5:0.25 E5:1 D5:1 G4:1 \
  G4:0.75 G4:0.25 C5:1 E5:1 G5:1 C6:3
track "$WORK/b.wav" $BPM tuba \
  C2:1 G2:1 C2:1 G2:1 F2:1 G2:1 C2:2 D2:1 A2:1 D2:1 F2:1 G2:1 B2:1 G2:1 F2:1 \
  C2:1 G2:1 C2:1 G2:1 C2:3
track "$WORK/d.wav" $BPM tuba s:0.75 s:0.25 s:0.5 s:0.5 s:0.75 s:0.25 k:1
repeat_to "$WORK/dd.wav" "$(soxi -D "$WORK/a.wav")" "$WORK/d.wav"
finish 05 1.0 "$WORK/a.wav" 0.8 "$WORK/b.wav" 0.35 "$WORK/dd.wav"

# 06 "Admiral Biscuit": very slow and plodding, low tuba tune, a woodblock for each step.
BPM=58
track "$WORK/a.wav" $BPM tuba \
  C3:1 E3:1 G3:1 E3:1 F3:1.5 D3:0.5 G2:2 E3:1 C3:1 D3:1 B2:1 C3:2
track "$WORK/d.wav" $BPM tuba w:1 r:1
repeat_to "$WORK/dd.wav" "$(soxi -D "$WORK/a.wav")" "$WORK/d.wav"
finish 06 1.0 "$WORK/a.wav" 0.5 "$WORK/dd.wav"

# 07 "Teaspoon Waltz": a gentle waltz in F on a tinkling music box, in three.
BPM=138
track "$WORK/a.wav" $BPM bell \
  F5:1 A5:1 C6:1 F6:2 E6:1 D6:1 C6:1 Bb5:1 A5:3 G5:1 Bb5:1 D6:1 G6:2 F6:1 E6:1 D6:1 C6:1 F6:3
track "$WORK/b.wav" $BPM bell \
  F3:1 A4+C5:1 A4+C5:1 F3:1 A4+C5:1 A4+C5:1 Bb3:1 D5+F5:1 D5+F5:1 F3:1 A4+C5:1 A4+C5:1 \
  G3:1 Bb4+D5:1 Bb4+D5:1 C4:1 Bb4+E5:1 Bb4+E5:1 C4:1 G4+Bb4:1 G4+Bb4:1 F3:1 A4+C5:1 A4+C5:1
finish 07 1.0 "$WORK/a.wav" 0.6 "$WORK/b.wav"

# 08 "Snow Globe Lullaby": soft, high, rippling arpeggios in A minor with a slow glassy tune.
BPM=120
track "$WORK/a.wav" $BPM glass \
  A5:0.5 C6:0.5 E6:0.5 A6:0.5 E6:0.5 C6:0.5 F5:0.5 A5:0.5 C6:0.5 F6:0.5 C6:0.5 A5:0.5 \
  C6:0.5 E6:0.5 G6:0.5 C7:0.5 G6:0.5 E6:0.5 G5:0.5 B5:0.5 D6:0.5 G6:0.5 D6:0.5 B5:0.5
track "$WORK/b.wav" $BPM soft E5:3 C5:3 E5:1.5 G5:1.5 D5:3 E5:3 F5:3 G5:3 B4:3
finish 08 0.8 "$WORK/a.wav" 0.6 "$WORK/b.wav"

# 09 "Moonlight Lawnmower": a slow dreamy ballad in A minor on a wavering organ, with the
# faint hum of a distant mower.
BPM=66
track "$WORK/a.wav" $BPM soft E5:2 D5:1 C5:1 B4:3 r:1 C5:2 A4:2 G#4:3 r:1
track "$WORK/b.wav" $BPM organ A3+C4+E4:4 F3+A3+C4+E4:4 D3+F3+A3:4 E3+G#3+B3:4
render "$WORK/hum.wav" synth "$(soxi -D "$WORK/a.wav")" sawtooth 52 lowpass 300 tremolo 0.7 60
finish 09 1.0 "$WORK/a.wav" 0.8 "$WORK/b.wav" 0.07 "$WORK/hum.wav"

# 10 "Tuesday Never Comes": minor-key disco in A, four-on-the-floor kick, octave bass, strings.
BPM=122
track "$WORK/a.wav" $BPM strings \
  A4:1 C5:0.5 E5:1 D5:0.5 C5:1 B4:0.5 G4:1 E4:1.5 r:1 \
  A4:1 C5:0.5 E5:1 G5:0.5 F5:1 E5:0.5 D5:1 E5:2.5 r:0.5
track "$WORK/b.wav" $BPM bass \
  A1:0.5 A2:0.5 A1:0.5 A2:0.5 A1:0.5 A2:0.5 A1:0.5 A2:0.5 G1:0.5 G2:0.5 G1:0.5 G2:0.5 E1:0.5 E2:0.5 E1:0.5 E2:0.5 \
  F1:0.5 F2:0.5 F1:0.5 F2:0.5 F1:0.5 F2:0.5 F1:0.5 F2:0.5 E1:0.5 E2:0.5 E1:0.5 E2:0.5 E1:0.5 E2:0.5 G#1:0.5 G#2:0.5
track "$WORK/d.wav" $BPM bass k:0.5 o:0.5 k+s:0.5 o:0.5
repeat_to "$WORK/dd.wav" "$(soxi -D "$WORK/a.wav")" "$WORK/d.wav"
finish 10 0.8 "$WORK/a.wav" 0.8 "$WORK/b.wav" 0.7 "$WORK/dd.wav"
