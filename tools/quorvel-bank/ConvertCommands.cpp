// encode and decode: the whole-bank conversions, plus what the commands share.
#include "tools/quorvel-bank/Commands.h"

#include "questions/BankConversion.h"
#include "core/RunTimeError.h"

#include <QFile>
#include <cstdio>

void printOut(const QByteArray& bytes)
{
    std::fwrite(bytes.constData(), 1, bytes.size(), stdout);
}

void printError(const QString& message)
{
    std::fputs(message.toLocal8Bit().append('\n').constData(), stderr);
}

bool readable(const QString& path)
{
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        return true;
    printError(QStringLiteral("%1: cannot open the file: %2")
                   .arg(path, file.exists() ? file.errorString() : QStringLiteral("File not found")));
    return false;
}

int encodeCommand(const QStringList& args, const QStringList& /*optionValues*/)
{
    try {
        convertPlainBank(args[0], args[1]);
    } catch (const RunTimeError& e) {
        printError(e.message());
        return ExitCode::failure;
    }
    return ExitCode::fine;
}

int decodeCommand(const QStringList& args, const QStringList& /*optionValues*/)
{
    try {
        for (qint64 line : restorePlainBank(args[0], args[1]))
            printError(QStringLiteral("%1:%2: warning: this separator ends a record in the game, but encode "
                                      "would code it as text; write three apostrophes followed by a remark, "
                                      "with no blanks in front")
                           .arg(args[0])
                           .arg(line));
    } catch (const RunTimeError& e) {
        printError(e.message());
        return ExitCode::failure;
    }
    return ExitCode::fine;
}
