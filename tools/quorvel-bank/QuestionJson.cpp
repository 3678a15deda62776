#include "tools/quorvel-bank/QuestionJson.h"

#include "core/RunTimeError.h"

#include <QJsonArray>

QJsonObject questionJson(int number, const BankQuestion& q)
{
    QJsonArray answers;
    for (int i = 1; i <= q.answerSlots(); ++i)
        answers.append(q.answers[i - 1]);
    QJsonObject object{
        {"number", number},
        {"kind", q.kind},
        {"extraAnswer", q.extraAnswer},
        {"rightAnswer", q.rightAnswer},
        {"clip", q.clip},
        {"question", q.question},
        {"answers", answers},
        {"extra", q.extra},
    };
    if (!q.clipComment.isEmpty())
        object.insert(QLatin1String("clipComment"), q.clipComment);
    return object;
}

namespace {

int16_t numberOf(const QJsonObject& object, const char* key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    const double n = value.toDouble(0.5);
    // A number field holds four characters: -999 to 9999.
    if (!value.isDouble() || n != static_cast<int>(n) || n < -999 || n > 9999)
        throw RunTimeError(QStringLiteral("\"%1\" must be a whole number from -999 to 9999").arg(QLatin1String(key)));
    return static_cast<int16_t>(n);
}

QString lineText(const QJsonValue& value, const QString& key)
{
    if (!value.isString())
        throw RunTimeError(QStringLiteral("\"%1\" must be a text").arg(key));
    const QString text = value.toString();
    if (text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r')))
        throw RunTimeError(QStringLiteral("\"%1\" holds a line break; each text is one line of the bank").arg(key));
    return text;
}

QString textOf(const QJsonObject& object, const char* key)
{
    return lineText(object.value(QLatin1String(key)), QLatin1String(key));
}

} // namespace

BankQuestion questionFromJson(const QJsonObject& object)
{
    BankQuestion q;
    q.kind = numberOf(object, "kind");
    q.extraAnswer = numberOf(object, "extraAnswer");
    q.rightAnswer = numberOf(object, "rightAnswer");
    q.clip = textOf(object, "clip");
    if (object.contains(QLatin1String("clipComment")))
        q.clipComment = textOf(object, "clipComment");
    q.question = textOf(object, "question");
    q.extra = textOf(object, "extra");
    const QJsonArray answers = object.value(QLatin1String("answers")).toArray();
    if (answers.size() < 2 || answers.size() > 4)
        throw RunTimeError(QStringLiteral("\"answers\" must list 2 to 4 answers"));
    for (qsizetype i = 0; i < answers.size(); ++i)
        q.answers[i] = lineText(answers[i], QStringLiteral("answers"));
    return q;
}

void addHeader(QJsonObject& object, const QuestionBank& bank)
{
    object.insert(QLatin1String("header"), QJsonArray{bank.header1, bank.header2});
}

void takeHeader(const QJsonObject& object, QuestionBank& bank)
{
    if (!object.contains(QLatin1String("header")))
        return;
    const QJsonArray header = object.value(QLatin1String("header")).toArray();
    if (header.size() != 2)
        throw RunTimeError(QStringLiteral("\"header\" must list the bank's two header lines"));
    bank.header1 = lineText(header[0], QStringLiteral("header"));
    bank.header2 = lineText(header[1], QStringLiteral("header"));
}
