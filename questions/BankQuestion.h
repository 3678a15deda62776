#pragma once
// A question as an author writes it, and a whole bank of them, with the bank lines that store
// them: what the editor holds, what import reads, what the game's reader gives back.
#include "core/QuestionKinds.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <array>
#include <cstdint>

struct QuestionRecord;

struct BankQuestion {
    int16_t kind = OrdinaryQuestion;  // or MusicQuestion
    int16_t extraAnswer = 0;    // the answer whose click shows the extra text; 0 for none
    int16_t rightAnswer = 1;
    QString clip;               // file name of the clip in the bank's folder
    QString clipComment;        // the author's words after the clip's name, kept as written
    QString question;
    std::array<QString, 4> answers;  // answers 1..4 at 0..3; a blank one is an empty slot
    QString extra;

    // The number of answer slots the game gives the question: 2, 3 or 4.
    int answerSlots() const;
    // Whether answer n is one the player can pick: within the slots and not blank.
    bool namesAnswer(int n) const;

    bool operator==(const BankQuestion&) const = default;
};

struct QuestionBank {
    QString header1 = QStringLiteral("The Quorvel Challenge");
    QString header2 = QStringLiteral("Question bank");
    QList<BankQuestion> questions;

    bool operator==(const QuestionBank&) const = default;
};

// The question as the game's fetch returned it.
BankQuestion questionFromRecord(const QuestionRecord& record);

// The question as the game will read it back: blanks at both ends of each text are not stored.
BankQuestion storedForm(const BankQuestion& question);

// The plain lines of one record, its separator ("''' number") last: the three numbers, the clip,
// the question, answers 1 and 2, then answers 3 and 4 and the extra text as far as needed.
QList<QByteArray> plainRecordLines(const BankQuestion& question, int number);

// The whole bank as plain text (what encode reads) and coded (what the game reads), CR LF lines.
// A text that starts with three apostrophes is stored faithfully only in the coded bank.
QByteArray plainBankBytes(const QuestionBank& bank);
QByteArray codedBankBytes(const QuestionBank& bank);
