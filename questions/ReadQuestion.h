#pragma once
// The question reader of the game.
#include <QString>
#include <QStringList>
#include <cstdint>

// Mode 1 (index): counts the questions of game().BankFile into game().QuestionCount and notes
// in game().QuestionStart the lines in front of each record; the other arguments stay as they are.
// Any other mode (fetch): returns question `number` (1..QuestionCount). answers holds the answer
// texts at indices 1..n (n = 2, 3 or 4); index 0 is unused. Errors throw RunTimeError naming
// the bank and the line.
void ReadQuestion(int16_t& mode, int16_t& number, QString& questionText, QStringList& answers,
                  int16_t& kind, int16_t& rightAnswer, int16_t& extraAnswer, QString& extraText,
                  QString& clipName);

// Index mode alone: counts the questions of game().BankFile and notes where each record starts.
void IndexQuestionBank();
