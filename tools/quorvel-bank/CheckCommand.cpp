// check: reads every question as the game will and reports what would go wrong in play.
#include "Commands.h"

#include "BankCheck.h"

#include <QFileInfo>

int checkCommand(const QStringList& args)
{
    const QString& path = args[0];
    if (!readable(path))
        return ExitCode::failure;
    const BankFileReport report = readBankFile(path);
    const QList<BankFinding> findings = allFindings(report, QFileInfo(path).absolutePath());
    for (const BankFinding& f : findings) {
        const QString place = f.line > 0 ? QStringLiteral("%1:%2").arg(path).arg(f.line) : path;
        printOut(QStringLiteral("%1: %2\n").arg(place, f.message).toLocal8Bit());
    }
    if (!findings.isEmpty())
        return ExitCode::problems;
    printOut(QStringLiteral("%1: %2 questions, no problems found\n").arg(path).arg(report.questionCount).toLocal8Bit());
    return ExitCode::fine;
}
