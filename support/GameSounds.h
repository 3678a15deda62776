#pragma once
// The game's sound effects from the data folder, played only while the player has sound on.
#include "platform/Sound.h"

#include <cstdint>

// PlayWave's flags as the game passes them.
constexpr int16_t PlayToTheEnd = 0;  // returns once the sound has ended; the window reacts to nothing meanwhile
constexpr int16_t PlayAndGoOn = platform::SND_ASYNC;  // returns at once while the sound plays
constexpr int16_t NoAlertSound = platform::SND_NODEFAULT;  // a missing file stays silent

// Plays the data folder's sound `name` with PlayWave's `flags` when SoundOn is 1. A sound
// played to its end held the window: the clicks and keys given meanwhile are dropped.
void PlayIfSoundOn(const char* name, int16_t flags);

// Cuts off whatever sound is still playing, by starting the silent NULL.WAV in its place,
// when SoundOn is 1.
void SilenceIfSoundOn();
