#pragma once
// The player's progress between runs: USER.ASC at game().UserFile.
#include <cstdint>

// What the file keeps from one run to the next.
struct ProgressValues {
    int16_t SoundOn = 0;
    int16_t CurrentQuestion = 0;
    int16_t CorrectCount = 0;
    int16_t IncorrectCount = 0;
};

// Mode 1 loads (creating the file with its defaults when missing) into SoundOn, CurrentQuestion,
// CorrectCount and IncorrectCount; mode 2 saves them as SaveProgress does; any other mode does
// nothing. Errors throw RunTimeError naming the file (and the line when reading).
void ProgressFile(int16_t& mode);

// Replaces the file atomically with `progress`. A save that fails (a full disk, a read-only or
// vanished folder) leaves the old file whole and throws "FILE: cannot save the progress: " and
// the system's reason.
void SaveProgress(const ProgressValues& progress);
