// check: reads every question as the game will and reports what would go wrong in play.
#include "Commands.h"

#include "BankIndex.h"
#include "BankLines.h"
#include "BankText.h"
#include "ClipName.h"
#include "CodeTable.h"
#include "DecodeLine.h"
#include "FitCheck.h"
#include "Numbers.h"
#include "QuestionRecord.h"
#include "RunTimeError.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <optional>

namespace {

struct Finding {
    qint64 line;    // orders the report
    QString text;   // "FILE:LINE: message"
};

class BankCheck {
public:
    BankCheck(const QString& path, const QList<QSize>& screens)
        : path_(path), fit_(screens)
    {
    }

    QList<Finding> run()
    {
        try {
            index_ = indexBank(path_);
        } catch (const RunTimeError& e) {
            findings_.append({0, e.message()});
        }
        if (index_) {
            // A 16-bit counter would wrap after question 32767, the most a bank holds.
            for (int number = 1; number <= index_->count(); ++number)
                checkRecord(static_cast<int16_t>(number));
        }
        scanLines();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const Finding& a, const Finding& b) { return a.line < b.line; });
        return findings_;
    }

    int16_t questionCount() const { return index_ ? index_->count() : 0; }

private:
    void report(qint64 line, const QString& message)
    {
        findings_.append({line, QStringLiteral("%1:%2: %3").arg(path_).arg(line).arg(message)});
    }

    void checkRecord(int16_t number)
    {
        const BankIndex& index = *index_;
        BankLines lines(path_, 4096);
        lines.seek(index.offsets[number], index.starts[number]);
        QuestionRecord r;
        try {
            r = readRecord(lines, number);
        } catch (const RunTimeError& e) {
            findings_.append({index.starts[number] + 1, e.message()});
            return;
        }
        checkNumbers(r);
        checkAnswerNumbers(number, r);
        checkClip(r);
        for (const FitCheck::Finding& f : fit_.check(number, r))
            report(f.line, f.message);
        const qint64 separator = number < index.count() ? index.starts[number + 1] : index.lastSeparator;
        if (r.lastLine > separator) {
            report(separator, QStringLiteral("question %1 has only %2 lines before this separator; a record needs at "
                                             "least seven (kind, extra answer, right answer, clip, question, two "
                                             "answers), so the game reads on into the next question")
                                  .arg(number)
                                  .arg(separator - r.firstLine));
        } else if (!r.endedBySeparator) {
            checkUnreadLines(lines, number, separator);
        }
    }

    // The lines between the extra text and the separator are never read; blank ones lose nothing.
    void checkUnreadLines(BankLines& lines, int16_t number, qint64 separator)
    {
        QByteArrayView line;
        while (lines.lineNumber() + 1 < separator && lines.next(line)) {
            if (!trimBlanks(line).isEmpty()) {
                report(lines.lineNumber(), QStringLiteral("question %1: the lines after its extra text up to the "
                                                          "separator on line %2 are never read")
                                               .arg(number)
                                               .arg(separator));
                return;
            }
        }
    }

    void checkNumbers(const QuestionRecord& r)
    {
        static const QRegularExpression plainNumber(
            QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)([EeDd][+-]?\\d+)?$|^&[Hh][0-9A-Fa-f]+$|^&[Oo][0-7]+$"));
        static const std::array<const char*, 3> names{"kind", "extra-answer number", "right-answer number"};
        const std::array<int16_t, 3> values{r.kind, r.extraAnswer, r.rightAnswer};
        for (int field = 0; field < 3; ++field) {
            const QByteArray& text = r.numberLines[field];
            const QString shown = fromWindows1252(text);
            const qint64 line = r.firstLine + field;
            if (!plainNumber.match(shown.trimmed()).hasMatch())
                report(line, QStringLiteral("the %1 \"%2\" is not a number; the game reads it as %3")
                                 .arg(names[field], shown)
                                 .arg(values[field]));
            else if (roundHalfEven(leadingNumber(text)) != values[field])
                report(line, QStringLiteral("the %1 \"%2\" does not fit the four characters the game reads; "
                                            "it reads as %3")
                                 .arg(names[field], shown)
                                 .arg(values[field]));
        }
    }

    static bool namesAnswer(const QuestionRecord& r, int16_t n)
    {
        return n >= 1 && n < r.answers.size() && !r.answers[n].isEmpty();
    }

    void checkAnswerNumbers(int16_t number, const QuestionRecord& r)
    {
        const qsizetype answers = r.answers.size() - 1;
        if (!namesAnswer(r, r.rightAnswer))
            report(r.firstLine + 2, QStringLiteral("question %1: the right answer %2 is not one of its answers "
                                                   "(it has answers 1 to %3, blank ones excluded)")
                                        .arg(number)
                                        .arg(r.rightAnswer)
                                        .arg(answers));
        if (!r.extraText.isEmpty() && !namesAnswer(r, r.extraAnswer))
            report(r.firstLine + 1, QStringLiteral("question %1 has an extra text, but its extra-answer number %2 "
                                                   "names no answer (it has answers 1 to %3), so it is never shown")
                                        .arg(number)
                                        .arg(r.extraAnswer)
                                        .arg(answers));
    }

    void checkClip(const QuestionRecord& r)
    {
        if (r.kind != 2)
            return;
        const qint64 line = r.firstLine + 3;
        if (r.clipName.isEmpty())
            report(line, QStringLiteral("a music question needs a clip name"));
        else if (!isPlayableClipName(r.clipName))
            report(line, QStringLiteral("the game will not play the clip \"%1\": a clip is a file next to the bank, "
                                        "named without '/', '\\' or \"..\"")
                             .arg(r.clipName));
        else if (!QFileInfo(QFileInfo(path_).dir(), r.clipName).isFile())
            report(line, QStringLiteral("the clip \"%1\" is missing next to the bank").arg(r.clipName));
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
                if (number <= 2)
                    continue;
                if (index_ && number > index_->lastSeparator && !afterLastReported && !trimBlanks(line).isEmpty()) {
                    report(number, QStringLiteral("the lines from here on follow the last separator: they belong "
                                                  "to no question and are never asked"));
                    afterLastReported = true;
                }
                if (isSeparator(trimBlanks(line))) {
                    if (!isSeparator(line))
                        report(number, QStringLiteral("a separator with blanks before its apostrophes ends the record "
                                                      "in front of it but is not counted, so no question starts "
                                                      "after it"));
                    continue;
                }
                checkCharacters(number, line, text);
            }
        } catch (const RunTimeError& e) {
            findings_.append({lines ? lines->lineNumber() + 1 : 0, e.message()});
        }
    }

    void checkCharacters(qint64 number, QByteArrayView line, QByteArray& text)
    {
        const auto& kept = CodeTable::kept();
        const auto dropped = std::find_if(line.begin(), line.end(),
                                          [&](char c) { return kept[static_cast<uint8_t>(c)] == 0; });
        if (dropped != line.end())
            report(number, QStringLiteral("the coded character code %1 at column %2 stands for nothing and is "
                                          "dropped from the text")
                               .arg(static_cast<uint8_t>(*dropped))
                               .arg(dropped - line.begin() + 1));
        text = line.toByteArray();
        decodeText(text);
        const auto outside = std::find_if(text.cbegin(), text.cend(), [](char c) {
            const auto code = static_cast<uint8_t>(c);
            return code < 32 || code > 125;
        });
        if (outside != text.cend())
            report(number, QStringLiteral("the decoded text holds character code %1 at column %2, outside the "
                                          "codes 32 to 125")
                               .arg(static_cast<uint8_t>(*outside))
                               .arg(outside - text.cbegin() + 1));
    }

    QString path_;
    FitCheck fit_;
    std::optional<BankIndex> index_;
    QList<Finding> findings_;
};

} // namespace

int checkCommand(const QStringList& args, const QStringList& screenSizes)
{
    const std::optional<QList<QSize>> screens = FitCheck::screens(screenSizes);
    if (!screens) {
        printError(QStringLiteral("quorvel-bank check: --screen takes a size such as 800x600"));
        return ExitCode::failure;
    }
    const QString& path = args[0];
    if (!readable(path))
        return ExitCode::failure;
    BankCheck check(path, *screens);
    const QList<Finding> findings = check.run();
    for (const Finding& f : findings)
        printOut(f.text.toLocal8Bit() + '\n');
    if (!findings.isEmpty())
        return ExitCode::problems;
    printOut(QStringLiteral("%1: %2 questions, no problems found\n").arg(path).arg(check.questionCount()).toLocal8Bit());
    return ExitCode::fine;
}
