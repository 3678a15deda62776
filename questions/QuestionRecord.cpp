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

} // namespace

void splitClipField(QByteArrayView field, QString& name, QString& comment)
{
    const qsizetype at = field.toByteArray().toUpper().indexOf(".MP3");
    const qsizetype end = at >= 0 ? at + 4 : field.size();
    name = fromWindows1252(field.first(end));
    comment = fromWindows1252(field.sliced(end));
}

QuestionRecord readRecord(BankLines& lines, int16_t number)
{
    RecordLines in(lines, number);
    QuestionRecord r;
    r.firstLine = lines.lineNumber() + 1;
    r.kind = in.number(r.numberLines[0]);
    r.extraAnswer = in.number(r.numberLines[1]);
    r.rightAnswer = in.number(r.numberLines[2]);
    splitClipField(trimBlanks(in.decoded(in.next())), r.clipName, r.clipComment);
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
