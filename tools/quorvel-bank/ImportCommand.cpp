// import: a bank from JSON lines, the inverse of dump.
#include "tools/quorvel-bank/Commands.h"

#include "questions/BankConversion.h"
#include "questions/BankQuestion.h"
#include "tools/quorvel-bank/QuestionJson.h"
#include "core/RunTimeError.h"

#include <QFile>
#include <QJsonDocument>
#include <QSaveFile>

int importCommand(const QStringList& args, const QStringList& /*optionValues*/)
{
    const QString& jsonPath = args[0];
    QFile json(jsonPath);
    if (!readable(jsonPath) || !json.open(QIODevice::ReadOnly))
        return ExitCode::failure;
    QuestionBank bank;
    qint64 lineNumber = 0;
    while (!json.atEnd()) {
        const QByteArray line = json.readLine();
        ++lineNumber;
        if (line.trimmed().isEmpty())
            continue;
        QJsonParseError error;
        const QJsonDocument document = QJsonDocument::fromJson(line, &error);
        try {
            if (!document.isObject())
                throw RunTimeError(error.error != QJsonParseError::NoError ? error.errorString()
                                                                            : QStringLiteral("not a JSON object"));
            takeHeader(document.object(), bank);
            bank.questions.append(questionFromJson(document.object()));
        } catch (const RunTimeError& e) {
            printError(QStringLiteral("%1:%2: %3").arg(jsonPath).arg(lineNumber).arg(e.message()));
            return ExitCode::failure;
        }
    }
    QSaveFile out(args[1]);
    const QByteArray bytes = codedBankBytes(bank);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        printError(QStringLiteral("%1: cannot write the file: %2").arg(args[1], out.errorString()));
        return ExitCode::failure;
    }
    return ExitCode::fine;
}
