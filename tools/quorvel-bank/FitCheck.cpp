#include "FitCheck.h"

#include "QuestionRecord.h"
#include "TextFit.h"

#include <QRegularExpression>

struct FitCheck::Screen {
    QString name;
    QuizWindowLayout layout;
};

std::optional<QList<QSize>> FitCheck::screens(const QStringList& optionValues)
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

FitCheck::FitCheck(const QList<QSize>& screens)
{
    for (const QSize& size : screens)
        screens_.append({QStringLiteral("%1x%2").arg(size.width()).arg(size.height()), quizLayoutForScreen(size)});
}

FitCheck::~FitCheck() = default;

QList<FitCheck::Finding> FitCheck::check(int16_t number, const QuestionRecord& record) const
{
    const QuestionTexts texts{number, record.questionText, record.answers, record.extraText};
    QList<Finding> findings;
    for (const Screen& screen : screens_) {
        for (const TextFitFinding& f : findTextsThatDoNotFit(screen.layout, screen.name, texts)) {
            // The question is the record's fifth line, the answers follow it, the remark is the tenth.
            const qint64 field = f.part == TextFitFinding::Part::Question ? 4
                : f.part == TextFitFinding::Part::Answer                ? 4 + f.answer
                                                                         : 9;
            findings.append({record.firstLine + field, QStringLiteral("question %1: %2").arg(number).arg(f.message)});
        }
    }
    return findings;
}
