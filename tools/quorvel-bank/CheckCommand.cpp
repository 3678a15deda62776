// check: reads every question as the game will and reports what would go wrong in play,
// including the texts that do not fit the quiz window at the chosen screen sizes.
#include "tools/quorvel-bank/Commands.h"

#include "questions/BankCheck.h"
#include "quiz/layout/TextFitCheck.h"

#include <QFileInfo>
#include <algorithm>

int checkCommand(const QStringList& args, const QStringList& screenSizes)
{
    const std::optional<QList<QSize>> screens = TextFitCheck::screens(screenSizes);
    if (!screens) {
        printError(QStringLiteral("quorvel-bank check: --screen takes a size such as 800x600"));
        return ExitCode::failure;
    }
    const QString& path = args[0];
    if (!readable(path))
        return ExitCode::failure;
    const BankFileReport report = readBankFile(path);
    QList<BankFinding> findings = allFindings(report, QFileInfo(path).absolutePath());
    const TextFitCheck fit(*screens);
    for (qsizetype i = 0; i < report.questions.size(); ++i) {
        for (BankFinding f : fit.check(report.questions[i], report.numbers[i])) {
            f.line = fieldLine(report.firstLines[i], f.field);
            findings.append(f);
        }
    }
    std::stable_sort(findings.begin(), findings.end(), [](const BankFinding& a, const BankFinding& b) { return a.line < b.line; });
    for (const BankFinding& f : findings) {
        const QString place = f.line > 0 ? QStringLiteral("%1:%2").arg(path).arg(f.line) : path;
        printOut(QStringLiteral("%1: %2\n").arg(place, f.message).toLocal8Bit());
    }
    if (!findings.isEmpty())
        return ExitCode::problems;
    printOut(QStringLiteral("%1: %2 questions, no problems found\n").arg(path).arg(report.questionCount).toLocal8Bit());
    return ExitCode::fine;
}
