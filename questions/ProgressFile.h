#pragma once
// The player's progress between runs: USER.ASC at game().UserFile.
#include <cstdint>

// Mode 1 loads (creating the file with its defaults when missing) into SoundOn, CurrentQuestion,
// CorrectCount and IncorrectCount; mode 2 saves them, replacing the file atomically; any other
// mode does nothing. Errors throw RunTimeError naming the file (and the line when reading).
void ProgressFile(int16_t& mode);
