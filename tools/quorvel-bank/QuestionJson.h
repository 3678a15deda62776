#pragma once
// One question as one JSON object, the form dump writes and import reads:
// number, kind, extraAnswer, rightAnswer, clip, question, answers, extra.
#include "questions/BankQuestion.h"

#include <QJsonObject>

QJsonObject questionJson(int number, const BankQuestion& question);

// The question of a JSON object; throws RunTimeError naming what is wrong (a missing or
// mistyped key, a number out of range, no 2 to 4 answers, a text with a line break).
BankQuestion questionFromJson(const QJsonObject& object);
