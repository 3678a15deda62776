#include "questions/BankIndex.h"

#include "questions/BankLines.h"
#include "questions/BankText.h"
#include "core/RunTimeError.h"

namespace {

RunTimeError noQuestions(const QString& path, qint64 line, const QString& why)
{
    return RunTimeError::inFile(path, line, QStringLiteral("the question bank holds no questions: %1").arg(why));
}

} // namespace

BankIndex indexBank(const QString& path)
{
    BankLines lines(path);
    BankIndex index;
    index.path = path;
    index.size = lines.size();
    index.modified = lines.modified();

    QByteArrayView line;
    for (qint64 header = 1; header <= 2; ++header) {
        if (!lines.next(line))
            throw noQuestions(path, header, QStringLiteral("the file ends before its header line %1").arg(header));
    }
    qint64 recordOffset = lines.offset();
    qint64 lastSeparator = 2;
    if (!lines.next(line))
        throw noQuestions(path, 3, QStringLiteral("nothing follows its two header lines"));
    do {
        if (isSeparator(line)) {
            if (index.starts.size() > 32767)
                throw RunTimeError::inFile(path, lines.lineNumber(),
                    QStringLiteral("the question bank holds more than 32767 questions, more than the game can count"));
            index.starts.push_back(static_cast<int32_t>(lastSeparator));
            index.offsets.push_back(recordOffset);
            lastSeparator = lines.lineNumber();
            recordOffset = lines.offset();
        }
    } while (lines.next(line));

    index.lineCount = lines.lineNumber();
    index.lastSeparator = lastSeparator;
    if (index.count() == 0)
        throw noQuestions(path, 3, QStringLiteral("no separator line (starting with ''') ends a record"));
    return index;
}
