#pragma once
// Delvo as the quiz window shows him, 80 x 107 pixels: the same cartoon face (silver quiff,
// purple velvet jacket, teaspoon on a chain) in three moods.
#include <QImage>

enum class Mood {
    Neutral,   // while a question is asked; shown in greyscale
    Delighted, // after a right answer
    Dismayed,  // after a wrong answer
};

QImage drawDelvo(Mood mood);
