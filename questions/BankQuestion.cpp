#include "questions/BankQuestion.h"

#include "questions/DecodeLine.h"
#include "questions/BankText.h"
#include "questions/QuestionRecord.h"

int BankQuestion::answerSlots() const
{
    if (!trimBlankText(answers[3]).isEmpty())
        return 4;
    return trimBlankText(answers[2]).isEmpty() ? 2 : 3;
}

bool BankQuestion::namesAnswer(int n) const
{
    return n >= 1 && n <= answerSlots() && !trimBlankText(answers[n - 1]).isEmpty();
}

BankQuestion questionFromRecord(const QuestionRecord& record)
{
    BankQuestion q;
    q.kind = record.kind;
    q.extraAnswer = record.extraAnswer;
    q.rightAnswer = record.rightAnswer;
    q.clip = record.clipName;
    q.clipComment = record.clipComment;
    q.question = record.questionText;
    for (qsizetype i = 1; i < record.answers.size() && i <= 4; ++i)
        q.answers[i - 1] = record.answers[i];
    q.extra = record.extraText;
    return q;
}

BankQuestion storedForm(const BankQuestion& question)
{
    BankQuestion q = question;
    for (QString* text : {&q.question, &q.answers[0], &q.answers[1], &q.answers[2], &q.answers[3], &q.extra})
        *text = trimBlankText(*text);
    // The clip's line holds its name and comment; without a name the comment would read as one.
    const QString clipLine = trimBlankText(q.clip);
    if (clipLine.isEmpty())
        q.clipComment.clear();
    splitClipField(toWindows1252(trimBlankText(clipLine + q.clipComment)), q.clip, q.clipComment);
    // Answers 3 and 4 both blank leave no answerCount; a blank one before answer 4 stays a slot.
    if (q.answerSlots() == 2)
        q.answers[2] = q.answers[3] = QString();
    return q;
}

QList<QByteArray> plainRecordLines(const BankQuestion& question, int number)
{
    const BankQuestion q = storedForm(question);
    QList<QByteArray> lines{QByteArray::number(q.kind), QByteArray::number(q.extraAnswer),
                            QByteArray::number(q.rightAnswer), toWindows1252(q.clip + q.clipComment),
                            toWindows1252(q.question), toWindows1252(q.answers[0]), toWindows1252(q.answers[1])};
    // Answers 3 and 4 are read before the extra text, so an extra text needs both lines.
    const int answerCount = q.extra.isEmpty() ? q.answerSlots() : 4;
    for (int slot = 3; slot <= answerCount; ++slot)
        lines.append(toWindows1252(q.answers[slot - 1]));
    if (!q.extra.isEmpty())
        lines.append(toWindows1252(q.extra));
    lines.append("''' " + QByteArray::number(number));
    return lines;
}

namespace {

// The header lines, then each record; `code` turns a plain text line into the stored one,
// separators are stored as they are.
template <typename LineCoding>
QByteArray bankBytes(const QuestionBank& bank, LineCoding code)
{
    QByteArray bytes = toWindows1252(bank.header1) + "\r\n" + code(toWindows1252(trimBlankText(bank.header2))) + "\r\n";
    for (qsizetype i = 0; i < bank.questions.size(); ++i) {
        const QList<QByteArray> lines = plainRecordLines(bank.questions[i], static_cast<int>(i + 1));
        for (qsizetype l = 0; l + 1 < lines.size(); ++l)
            bytes += code(lines[l]) + "\r\n";
        bytes += lines.last() + "\r\n";
    }
    return bytes;
}

} // namespace

QByteArray plainBankBytes(const QuestionBank& bank)
{
    return bankBytes(bank, [](const QByteArray& line) { return line; });
}

QByteArray codedBankBytes(const QuestionBank& bank)
{
    // Every text line is coded, even one that starts with three apostrophes: coded, it is no separator.
    return bankBytes(bank, [](const QByteArray& line) { return encodeText(line); });
}
