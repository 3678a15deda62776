#include "quiz/layout/TextFitCheck.h"

#include "quiz/layout/TextFit.h"

#include <QRegularExpression>

std::optional<QList<QSize>> TextFitCheck::screens(const QStringList& optionValues)
{
    if (optionValues.isEmpty())
        return QList<QSize>{{800, 600}, {1024, 768}};
    static const QRegularExpression size(QStringLiteral("^([1-9][0-9]{2,4})x([1-9][0-9]{2,4})$"));
    QList<QSize> sizes;
    for (const QString& value : optionValues) {
        const QRegularExpressionMatch match = size.match(value);
        if (!match.hasMatch())
            return std::nullopt;
        sizes.append({match.captured(1).toInt(), match.captured(2).toInt()});
    }
    return sizes;
}

TextFitCheck::TextFitCheck(const QList<QSize>& screens)
{
    for (const QSize& size : screens)
        screens_.append({QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), quizLayoutForScreen(size)});
}

QList<BankFinding> TextFitCheck::check(const BankQuestion& question, int number) const
{
    // The texts as the game reads them back.
    const BankQuestion q = storedForm(question);
    QuestionTexts texts{number, q.question, {QString()}, q.extra};
    for (int n = 1; n <= q.answerSlots(); ++n)
        texts.answers.append(q.answers[n - 1]);
    QList<BankFinding> findings;
    for (const Screen& screen : screens_) {
        for (const TextFitFinding& f : findTextsThatDoNotFit(screen.layout, screen.name, texts)) {
            const BankField field = f.part == TextFitFinding::Part::Question ? BankField::Question
                : f.part == TextFitFinding::Part::Answer ? static_cast<BankField>(static_cast<int>(BankField::Answer1) + f.answer - 1)
                                                         : BankField::Extra;
            findings.append({0, number, field, QStringLiteral("question %1: %2").arg(number).arg(f.message)});
        }
    }
    return findings;
}
