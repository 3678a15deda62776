#pragma once
// While the game holds its window (a pause or a sound that runs no events), a screen reader
// that asks about the window would wait, and say nothing, until the pause ends. These let the
// pauses answer its questions without running anything of the game.
#include <cstdint>

namespace platform {

// Answers the questions of a screen reader that have come in; runs no other event.
void AnswerScreenReader();

// Grows each time a screen reader could have read the windows (events ran, or its questions
// were answered): what changed since it last grew has not been read yet.
uint64_t ScreenReaderRounds();

} // namespace platform
