#include "questions/BankCheck.h"

#include "core/QuestionKinds.h"
#include "questions/BankIndex.h"
#include "questions/BankLines.h"
#include "questions/BankText.h"
#include "questions/ClipName.h"
#include "questions/CodeTable.h"
#include "questions/DecodeLine.h"
#include "core/Numbers.h"
#include "questions/QuestionRecord.h"
#include "core/RunTimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

qint64 fieldLine(qint64 firstLine, BankField field)
{
    return field == BankField::None ? 0 : firstLine + static_cast<int>(field) - 1;
}

QList<BankFinding> checkAnswerNumbers(const BankQuestion& q, int number)
{
    QList<BankFinding> found;
    // Both numbers must name a filled answer; the finding says which answers there are.
    const auto namesNoAnswer = [&](BankField field, int given, QString message) {
        found.append({0, number, field, message.arg(number).arg(given).arg(q.answerSlots())});
    };
    if (!q.namesAnswer(q.rightAnswer))
        namesNoAnswer(BankField::RightAnswer, q.rightAnswer,
                      QStringLiteral("question %1: the right answer %2 is not one of its answers (it has answers 1 "
                                     "to %3, blank ones excluded)"));
    if (!trimBlankText(q.extra).isEmpty() && !q.namesAnswer(q.extraAnswer))
        namesNoAnswer(BankField::ExtraAnswer, q.extraAnswer,
                      QStringLiteral("question %1 has an extra text, but its extra-answer number %2 names no answer "
                                     "(it has answers 1 to %3), so it is never shown"));
    return found;
}

QList<BankFinding> checkClip(const BankQuestion& q, int number, const QString& clipFolder)
{
    if (q.kind != MusicQuestion)
        return {};
    const QString clip = trimBlankText(q.clip);
    if (clip.isEmpty())
        return {{0, number, BankField::Clip, QStringLiteral("a music question needs a clip name")}};
    if (!isPlayableClipName(clip))
        return {{0, number, BankField::Clip,
                 QStringLiteral("the game will not play the clip \"%1\": a clip is a file next to the bank, named "
                                "without '/', '\\' or \"..\"")
                     .arg(clip)}};
    if (!QFileInfo(QDir(clipFolder), clip).isFile())
        return {{0, number, BankField::Clip, QStringLiteral("the clip \"%1\" is missing next to the bank").arg(clip)}};
    return {};
}

QString outsideCharacter(QByteArrayView text, const QString& what)
{
    const auto outside = std::find_if(text.begin(), text.end(), [](char c) {
        const auto code = static_cast<uint8_t>(c);
        return code < 32 || code > 125;
    });
    if (outside == text.end())
        return {};
    return QStringLiteral("%1 holds character code %2 at column %3, outside the codes 32 to 125")
        .arg(what)
        .arg(static_cast<uint8_t>(*outside))
        .arg(outside - text.begin() + 1);
}

QList<BankFinding> checkCharacters(const BankQuestion& q, int number)
{
    const std::pair<BankField, const QString*> texts[] = {
        {BankField::Clip, &q.clip},         {BankField::Question, &q.question},
        {BankField::Answer1, &q.answers[0]}, {BankField::Answer2, &q.answers[1]},
        {BankField::Answer3, &q.answers[2]}, {BankField::Answer4, &q.answers[3]},
        {BankField::Extra, &q.extra}};
    QList<BankFinding> found;
    for (const auto& [field, text] : texts) {
        const QByteArray stored = toWindows1252(*text);
        // A character Windows-1252 cannot hold is stored as "?": name the real one.
        qsizetype lost = 0;
        while (lost < stored.size() && !(stored[lost] == '?' && (*text)[lost] != u'?'))
            ++lost;
        if (lost < stored.size()) {
            found.append({0, number, field,
                          QStringLiteral("the text holds \"%1\" at column %2, which the bank cannot store")
                              .arg((*text)[lost])
                              .arg(lost + 1)});
            continue;
        }
        const QString message = outsideCharacter(stored, QStringLiteral("the text"));
        if (!message.isEmpty())
            found.append({0, number, field, message});
    }
    return found;
}

QList<BankFinding> checkQuestion(const BankQuestion& q, int number, const QString& clipFolder)
{
    return checkAnswerNumbers(q, number) + checkClip(q, number, clipFolder) + checkCharacters(q, number);
}

namespace {

// "FILE:LINE: what" or "FILE: what" from the reader, as a finding at that line.
BankFinding findingFromError(const RunTimeError& e, const QString& path, int question)
{
    static const QRegularExpression place(QStringLiteral("^(\\d+): "));
    QString message = e.message();
    qint64 line = 0;
    if (message.startsWith(path + QLatin1Char(':'))) {
        message.remove(0, path.size() + 1);
        const QRegularExpressionMatch m = place.match(message);
        if (m.hasMatch()) {
            line = m.captured(1).toLongLong();
            message.remove(0, m.capturedLength());
        } else {
            message = message.trimmed();
        }
    }
    return {line, question, BankField::None, message};
}

class BankFileCheck {
public:
    BankFileCheck(const QString& path, const std::function<void(int, int)>& progress)
        : path_(path), progress_(progress)
    {
    }

    BankFileReport run()
    {
        try {
            index_ = indexBank(path_);
        } catch (const RunTimeError& e) {
            report_.structure.append(findingFromError(e, path_, 0));
        }
        if (index_) {
            report_.questionCount = index_->count();
            readRecords();
        }
        scanLines();
        return std::move(report_);
    }

private:
    void structure(qint64 line, int question, BankField field, const QString& message)
    {
        report_.structure.append({line, question, field, message});
    }

    void readRecords()
    {
        const BankIndex& index = *index_;
        const int count = index.count();
        BankLines lines(path_);
        for (int number = 1; number <= count; ++number) {
            if (progress_ && number % 1024 == 0)
                progress_(number, count);
            // Records follow each other; a seek is needed only after a record that read on
            // into the next one.
            if (lines.lineNumber() != index.starts[number])
                lines.seek(index.offsets[number], index.starts[number]);
            try {
                checkRecord(number, readRecord(lines, static_cast<int16_t>(number)), lines);
            } catch (const RunTimeError& e) {
                report_.structure.append(findingFromError(e, path_, number));
                lines.seek(index.offsets[number], index.starts[number]);
            }
        }
    }

    void checkRecord(int number, const QuestionRecord& r, BankLines& lines)
    {
        const BankIndex& index = *index_;
        report_.questions.append(questionFromRecord(r));
        report_.numbers.append(number);
        report_.firstLines.append(r.firstLine);
        checkNumbers(number, r);
        const qint64 separator = number < index.count() ? index.starts[number + 1] : index.lastSeparator;
        if (r.lastLine > separator) {
            structure(separator, number, BankField::None,
                      QStringLiteral("question %1 has only %2 lines before this separator; a record needs at least "
                                     "seven (kind, extra answer, right answer, clip, question, two answers), so the "
                                     "game reads on into the next question")
                          .arg(number)
                          .arg(separator - r.firstLine));
            return;
        }
        // Bring the reader to the separator, where the next record starts. The lines between the
        // extra text and the separator are never read; blank ones lose nothing.
        QByteArrayView line;
        bool unreadReported = r.endedBySeparator;
        while (lines.lineNumber() < separator && lines.next(line)) {
            if (!unreadReported && lines.lineNumber() < separator && !trimBlanks(line).isEmpty()) {
                structure(lines.lineNumber(), number, BankField::None,
                          QStringLiteral("question %1: the lines after its extra text up to the separator on line "
                                         "%2 are never read")
                              .arg(number)
                              .arg(separator));
                unreadReported = true;
            }
        }
    }

    void checkNumbers(int number, const QuestionRecord& r)
    {
        static const QRegularExpression plainNumber(
            QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([EeDd][+-]?\\d+)?$|^&[Hh][0-9A-Fa-f]+$|^&[Oo][0-7]+$"));
        static const std::array<const char*, 3> names{"kind", "extra-answer number", "right-answer number"};
        static const std::array<BankField, 3> fields{BankField::Kind, BankField::ExtraAnswer, BankField::RightAnswer};
        const std::array<int16_t, 3> values{r.kind, r.extraAnswer, r.rightAnswer};
        for (int field = 0; field < 3; ++field) {
            const QByteArray& text = r.numberLines[field];
            const QString shown = fromWindows1252(text);
            const qint64 line = r.firstLine + field;
            if (!plainNumber.match(shown.trimmed()).hasMatch())
                structure(line, number, fields[field],
                          QStringLiteral("the %1 \"%2\" is not a number; the game reads it as %3")
                              .arg(names[field], shown)
                              .arg(values[field]));
            else if (roundHalfEven(leadingNumber(text)) != values[field])
                structure(line, number, fields[field],
                          QStringLiteral("the %1 \"%2\" does not fit the four characters the game reads; it reads "
                                         "as %3")
                              .arg(names[field], shown)
                              .arg(values[field]));
        }
    }

    // Line by line: separators the index pass does not count, lines after the last separator,
    // and characters the game cannot show.
    void scanLines()
    {
        std::optional<BankLines> lines;
        try {
            lines.emplace(path_);
            QByteArrayView line;
            bool afterLastReported = false;
            QByteArray text;
            while (lines->next(line)) {
                const qint64 number = lines->lineNumber();
                if (number == 2)
                    report_.header2 = fromWindows1252(decoded(line, text));
                if (number <= 2) {
                    if (number == 1)
                        report_.header1 = fromWindows1252(line);
                    continue;
                }
                if (index_ && number > index_->lastSeparator && !afterLastReported && !trimBlanks(line).isEmpty()) {
                    structure(number, 0, BankField::None,
                              QStringLiteral("the lines from here on follow the last separator: they belong to no "
                                             "question and are never asked"));
                    afterLastReported = true;
                }
                if (isSeparator(trimBlanks(line))) {
                    if (!isSeparator(line))
                        structure(number, 0, BankField::None,
                                  QStringLiteral("a separator with blanks before its apostrophes ends the record in "
                                                 "front of it but is not counted, so no question starts after it"));
                    continue;
                }
                checkCharacters(number, line, text);
            }
        } catch (const RunTimeError& e) {
            report_.structure.append(findingFromError(e, path_, 0));
        }
    }

    static const QByteArray& decoded(QByteArrayView line, QByteArray& text)
    {
        text = line.toByteArray();
        decodeText(text);
        return text;
    }

    void checkCharacters(qint64 number, QByteArrayView line, QByteArray& text)
    {
        const auto& kept = CodeTable::kept();
        const auto dropped = std::find_if(line.begin(), line.end(),
                                          [&](char c) { return kept[static_cast<uint8_t>(c)] == 0; });
        if (dropped != line.end())
            structure(number, 0, BankField::None,
                      QStringLiteral("the coded character code %1 at column %2 stands for nothing and is dropped "
                                     "from the text")
                          .arg(static_cast<uint8_t>(*dropped))
                          .arg(dropped - line.begin() + 1));
        const QString outside = outsideCharacter(decoded(line, text), QStringLiteral("the decoded text"));
        if (!outside.isEmpty())
            report_.characters.append({number, 0, BankField::None, outside});
    }

    QString path_;
    std::function<void(int, int)> progress_;
    std::optional<BankIndex> index_;
    BankFileReport report_;
};

} // namespace

BankFileReport readBankFile(const QString& path, const std::function<void(int, int)>& progress)
{
    return BankFileCheck(path, progress).run();
}

QList<BankFinding> allFindings(const BankFileReport& report, const QString& clipFolder)
{
    QList<BankFinding> all = report.structure + report.characters;
    for (qsizetype i = 0; i < report.questions.size(); ++i) {
        const int number = report.numbers[i];
        for (BankFinding f : checkAnswerNumbers(report.questions[i], number) + checkClip(report.questions[i], number, clipFolder)) {
            f.line = fieldLine(report.firstLines[i], f.field);
            all.append(f);
        }
    }
    std::stable_sort(all.begin(), all.end(), [](const BankFinding& a, const BankFinding& b) { return a.line < b.line; });
    return all;
}
