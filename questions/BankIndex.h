#pragma once
// The index pass over a coded bank: where each question's record starts.
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <vector>

struct BankIndex {
    QString path;
    // Per question (1..count) the number of lines in front of its record; entry 0 is 0.
    std::vector<int32_t> starts{0};
    // Per question the byte offset of its record's first line, so a fetch can seek.
    std::vector<qint64> offsets{0};
    qint64 lastSeparator = 2;   // line number of the last counted separator
    qint64 lineCount = 0;       // lines in the file
    // The file as it was indexed; a fetch seeks only while these still hold.
    qint64 size = -1;
    QDateTime modified;

    int16_t count() const { return static_cast<int16_t>(starts.size() - 1); }
};

// Counts the questions: every line from line 3 on that starts with "'''" ends one.
// Throws RunTimeError naming the file and line when the bank is missing or unreadable,
// holds no questions, or holds more than 32767.
BankIndex indexBank(const QString& path);
