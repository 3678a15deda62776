#pragma once
// One question as one JSON object, the form dump writes and import reads:
// number, kind, extraAnswer, rightAnswer, clip, question, answers, extra, and clipComment
// when the author wrote words after the clip's name.
#include "questions/BankQuestion.h"

#include <QJsonObject>

QJsonObject questionJson(int number, const BankQuestion& question);

// The question of a JSON object; throws RunTimeError naming what is wrong (a missing or
// mistyped key, a number out of range, no 2 to 4 answers, a text with a line break).
BankQuestion questionFromJson(const QJsonObject& object);

// The bank's two header lines, which dump gives with the first question of a whole bank so
// that import writes them back as the author wrote them.
void addHeader(QJsonObject& object, const QuestionBank& bank);
// Takes the header lines from an object that carries them; throws RunTimeError when they are
// not two texts.
void takeHeader(const QJsonObject& object, QuestionBank& bank);
