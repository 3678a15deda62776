#pragma once
// What the game would meet in a bank: the findings of one question (shared by the authoring
// tool and the editor while the author types) and of a whole bank file.
#include "questions/BankQuestion.h"

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>

enum class BankField { None, Kind, ExtraAnswer, RightAnswer, Clip, Question, Answer1, Answer2, Answer3, Answer4, Extra };

struct BankFinding {
    qint64 line = 0;      // the bank file's line, 0 when it has none (an edited question)
    int question = 0;     // 1.., 0 when the finding belongs to no question
    BankField field = BankField::None;
    QString message;

    bool operator==(const BankFinding&) const = default;
};

// The line of a field inside a record whose first line is `firstLine` (the extra text as if
// answers 3 and 4 were written).
qint64 fieldLine(qint64 firstLine, BankField field);

// A question's answer numbers: a right answer that is not one of its filled answers, an extra
// text whose answer number names no answer.
QList<BankFinding> checkAnswerNumbers(const BankQuestion& question, int number);
// A music question's clip: a name is needed, and the file must be in `clipFolder`.
QList<BankFinding> checkClip(const BankQuestion& question, int number, const QString& clipFolder);
// Characters of the texts outside 32..125, which the game cannot show as written.
QList<BankFinding> checkCharacters(const BankQuestion& question, int number);
// All three.
QList<BankFinding> checkQuestion(const BankQuestion& question, int number, const QString& clipFolder);

// The first character of a text outside 32..125, as a message, or the empty text.
QString outsideCharacter(QByteArrayView text, const QString& what);

// A whole coded bank file read as the game reads it.
struct BankFileReport {
    QString header1;
    QString header2;
    QList<BankQuestion> questions;  // the questions the game can read, in order
    QList<int> numbers;             // each one's number in the file
    QList<qint64> firstLines;       // each one's first line in the file
    // Problems of the file's lines and records: separators, records cut short, number lines,
    // unread lines, coded characters that stand for nothing, a bank the game cannot index.
    QList<BankFinding> structure;
    // Characters outside 32..125, line by line.
    QList<BankFinding> characters;
    int16_t questionCount = 0;
};

// Reads and checks the bank at `path`; `progress` (when given) hears the questions read so far.
// Never throws: what cannot be read is a finding.
BankFileReport readBankFile(const QString& path, const std::function<void(int done, int total)>& progress = {});

// Every finding of a bank file in line order: its structure, its characters and each
// question's answer numbers and clip (clips looked for in `clipFolder`).
QList<BankFinding> allFindings(const BankFileReport& report, const QString& clipFolder);
