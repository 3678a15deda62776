#pragma once
// One question record as the game's fetch reads it, shared by the game and the authoring tool.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>

class BankLines;

struct QuestionRecord {
    int16_t kind = 0;           // field 1; 2 is a music question
    int16_t extraAnswer = 0;    // field 2
    int16_t rightAnswer = 0;    // field 3
    QString clipName;           // field 4, cut after ".MP3"
    QString clipComment;        // the rest of field 4, as written
    QString questionText;       // field 5
    QStringList answers{QString()};  // fields 6..9 at indices 1..n; index 0 unused
    QString extraText;          // field 10, or empty

    // Where the record stood and what its number lines said, for the authoring tool.
    qint64 firstLine = 0;           // line number of field 1
    qint64 lastLine = 0;            // line number of the last line read
    bool endedBySeparator = false;  // the last line read was a separator
    std::array<QByteArray, 3> numberLines;  // decoded lines of fields 1..3
};

// Reads the record whose first line is the next line of `lines`. A number field is the leading
// number of its decoded line's first four characters, rounded to 16 bits. Throws RunTimeError
// naming the file and line for a record cut short by the end of the file or a number that
// overflows; `number` names the question in the message.
QuestionRecord readRecord(BankLines& lines, int16_t number);

// A clip field split as the game reads it: the file name up to the first ".MP3" (any letter
// case), and the author's comment after it.
void splitClipField(QByteArrayView field, QString& name, QString& comment);
