#pragma once
// The kind of question a bank record gives in its first field.
#include <cstdint>

constexpr int16_t MusicQuestion = 2;     // plays its clip before the question shows
constexpr int16_t OrdinaryQuestion = 1;  // the kind written for every other question; any kind but 2 is one
