#pragma once
// The texts the quiz window builds from the counts: the close warning, the score and the verdict.
#include "quiz/QuizRules.h"

#include <QString>
#include <cstdint>

// The warning shown by the first close request while questions are left. Its two paragraphs
// are parted by two carriage returns, shown as a line break and an empty line.
QString CloseWarningText(const CloseWarningCounts& counts);

// "FINAL SCORE:  18 correct, 2 incorrect": each count as a number text with its leading blank.
QString FinalScoreText(int16_t correctCount, int16_t incorrectCount);

// One of the five verdicts: the first three by the right answers against the bank's size,
// the last two by the wrong answers.
QString VerdictText(int16_t correctCount, int16_t incorrectCount, int16_t questionCount);
