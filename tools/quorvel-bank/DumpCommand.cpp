// dump: every question as the game's fetch returns it, one JSON object per line.
#include "tools/quorvel-bank/Commands.h"

#include "questions/BankIndex.h"
#include "questions/BankLines.h"
#include "questions/BankText.h"
#include "questions/DecodeLine.h"
#include "tools/quorvel-bank/QuestionJson.h"
#include "questions/QuestionRecord.h"
#include "core/RunTimeError.h"

#include <QJsonDocument>

namespace {

// The two header lines as the game's bank holds them: the first as it stands, the second decoded.
QuestionBank headerOf(const QString& path)
{
    QuestionBank bank;
    BankLines lines(path);
    QByteArrayView line;
    if (lines.next(line))
        bank.header1 = fromWindows1252(line);
    if (lines.next(line)) {
        QByteArray text = line.toByteArray();
        decodeText(text);
        bank.header2 = fromWindows1252(text);
    }
    return bank;
}

} // namespace

int dumpCommand(const QStringList& args, const QStringList& /*optionValues*/)
{
    const QString& path = args[0];
    if (!readable(path))
        return ExitCode::failure;
    try {
        const BankIndex index = indexBank(path);
        int16_t first = 1;
        int16_t last = index.count();
        if (args.size() > 1) {
            bool ok = false;
            const int wanted = args[1].toInt(&ok);
            if (!ok || wanted < 1 || wanted > index.count()) {
                printError(QStringLiteral("%1: there is no question %2: the bank holds %3")
                               .arg(path, args[1]).arg(index.count()));
                return ExitCode::failure;
            }
            first = last = static_cast<int16_t>(wanted);
        }
        int status = ExitCode::fine;
        BankLines lines(path, 4096);
        for (int number = first; number <= last; ++number) {
            lines.seek(index.offsets[number], index.starts[number]);
            try {
                const BankQuestion question = questionFromRecord(readRecord(lines, static_cast<int16_t>(number)));
                QJsonObject object = questionJson(number, question);
                if (number == 1 && last == index.count())
                    addHeader(object, headerOf(path));
                printOut(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
            } catch (const RunTimeError& e) {
                printError(e.message());
                status = ExitCode::problems;
            }
        }
        return status;
    } catch (const RunTimeError& e) {
        printError(e.message());
        return ExitCode::problems;
    }
}
