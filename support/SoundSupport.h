#pragma once
// The game's sound routines. Every caller tests SoundOn first.
#include <QString>
#include <cstdint>

// Plays a .WAV file with the platform's flags (1 asynchronous, 2 no default sound) and stores
// the platform's answer in result: nonzero when the sound was started or played.
void PlayWave(QString& file, int16_t& flags, int16_t& result);

// Sets flag to 1 when the machine has an audio output, else to 0.
void HasSoundCard(int16_t& flag);
