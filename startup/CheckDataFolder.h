#pragma once
// Whether the data folder can serve the game: it must hold the question bank DATA.ASC.
#include <cstdint>

// Sets ok to 1 when game().DataFolder holds DATA.ASC, to 0 otherwise.
void CheckDataFolder(int16_t& ok);
