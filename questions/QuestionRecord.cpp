#include "questions/QuestionRecord.h"

#include "questions/BankLines.h"
#include "questions/BankText.h"
#include "questions/DecodeLine.h"
#include "core/Numbers.h"
#include "core/RunTimeError.h"

namespace {

class RecordLines {
public:
    RecordLines(BankLines& lines, int16_t number)
        : lines_(lines)
        , number_(number)
    {
    }

    QByteArrayView next()
    {
        QByteArrayView line;
        if (!lines_.next(line))
            throw RunTimeError::inFile(lines_.path(), lines_.lineNumber() + 1,
                QStringLiteral("question %1 is cut short: the file ends inside its record").arg(number_));
        return line;
    }

    QByteArray decoded(QByteArrayView line)
    {
        QByteArray text = line.toByteArray();
        decodeText(text);
        return text;
    }

    int16_t number(QByteArray& decodedLine)
    {
        decodedLine = decoded(next());
        try {
            return toInt16(leadingNumber(QByteArrayView(decodedLine).first(qMin<qsizetype>(4, decodedLine.size()))));
        } catch (const RunTimeError& e) {
            throw RunTimeError::inFile(lines_.path(), lines_.lineNumber(),
                QStringLiteral("question %1: %2").arg(number_).arg(e.message()));
        }
    }

    qint64 lineNumber() const { return lines_.lineNumber(); }

private:
    BankLines& lines_;
    int16_t number_;
};

// The clip line names its file first; anything after the first ".MP3" (any letter case) is a remark.
QByteArray clipFileName(QByteArray clip)
{
    const qsizetype at = clip.toUpper().indexOf(".MP3");
    if (at >= 0)
        clip.truncate(at + 4);
    return clip;
}

} // namespace

QuestionRecord readRecord(BankLines& lines, int16_t number)
{
    RecordLines in(lines, number);
    QuestionRecord r;
    r.firstLine = lines.lineNumber() + 1;
    r.kind = in.number(r.numberLines[0]);
    r.extraAnswer = in.number(r.numberLines[1]);
    r.rightAnswer = in.number(r.numberLines[2]);
    r.clipName = fromWindows1252(clipFileName(trimBlanks(in.decoded(in.next())).toByteArray()));
    r.questionText = fromWindows1252(trimBlanks(in.decoded(in.next())));
    // Answers 1 and 2 are always there, even when they look like separators.
    for (int slot = 1; slot <= 2; ++slot)
        r.answers.append(fromWindows1252(in.decoded(trimBlanks(in.next()))));
    r.lastLine = in.lineNumber();

    // Answers 3 and 4 are optional: a blank one leaves no slot unless answer 4 follows.
    for (int slot = 3; slot <= 4; ++slot) {
        const QByteArrayView line = trimBlanks(in.next());
        r.lastLine = in.lineNumber();
        if (isSeparator(line)) {
            r.endedBySeparator = true;
            return r;
        }
        const QByteArray text = in.decoded(line);
        if (!text.isEmpty()) {
            while (r.answers.size() < slot)
                r.answers.append(QString());
            r.answers.append(fromWindows1252(text));
        }
    }

    const QByteArrayView extra = trimBlanks(in.next());
    r.lastLine = in.lineNumber();
    if (isSeparator(extra)) {
        r.endedBySeparator = true;
        return r;
    }
    r.extraText = fromWindows1252(in.decoded(extra));
    return r;
}
