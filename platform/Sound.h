#pragma once
// The machine's sound calls, named as the game expects them: play a .WAV file, count the audio
// outputs, and the system beep.
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

constexpr uint32_t SND_ASYNC = 1;      // return at once while the sound plays
constexpr uint32_t SND_NODEFAULT = 2;  // stay silent when the file cannot be played

// Plays a .WAV file and gives nonzero when it was started (asynchronous) or played
// (synchronous). A new sound cuts off one still playing. Without SND_ASYNC the call returns
// when the sound has ended, without letting window events run. When the file cannot be played
// the result is 0 and, without SND_NODEFAULT, the desktop's alert sound plays instead.
int32_t sndPlaySound(const QString& file, uint32_t flags);

// The number of audio outputs of the machine.
uint32_t waveOutGetNumDevs();

// Test seam: the count waveOutGetNumDevs gives (nullopt: ask the machine).
void setAudioOutputCountOverride(std::optional<uint32_t> count);

} // namespace platform

// The system beep.
void Beep();
