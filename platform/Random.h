#pragma once
// The program-wide pseudo-random generator: values from 0 up to but not including 1.
// Seeded once by the quiz window's load step; tests seed it to repeat a sequence.
namespace platform {

void Randomize(double seed);
double Rnd();

} // namespace platform
