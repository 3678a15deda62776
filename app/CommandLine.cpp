#include "app/CommandLine.h"

#include "platform/SingleInstance.h"
#include "startup/DataFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {

constexpr const char* help =
    "Usage: quorvel-challenge [--data DIR]\n"
    "The Quorvel Challenge: a trivia quiz about the singer Delvo, with music questions.\n"
    "\n"
    "  --data DIR   play the question bank in DIR (its DATA.ASC and clips) instead of the\n"
    "               game's own; the game's sounds play where DIR has none. Each bank keeps its\n"
    "               progress apart, in the player's data folder under banks/.\n"
    "  -h, --help   print this help and exit\n"
    "\n"
    "Exit status: 0 after a normal end, 1 when the game stopped with an error message, 2 when\n"
    "DIR or its bank cannot be read.\n";

int refuse(const QString& message)
{
    std::fprintf(stderr, "quorvel-challenge: %s\n", message.toLocal8Bit().constData());
    return 2;
}

// Why the folder cannot be played, or nothing.
std::optional<QString> unplayableFolder(const QString& folder)
{
    const QFileInfo dir(folder);
    if (!dir.exists())
        return QStringLiteral("%1: no such folder").arg(folder);
    if (!dir.isDir())
        return QStringLiteral("%1: not a folder").arg(folder);
    if (!dir.isReadable() || !dir.isExecutable())
        return QStringLiteral("%1: the folder cannot be read").arg(folder);
    const QString bank = QDir(folder).filePath(QStringLiteral("DATA.ASC"));
    if (!QFileInfo(bank).isFile())
        return QStringLiteral("%1: no question bank: the folder holds no DATA.ASC").arg(bank);
    QFile file(bank);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("%1: the question bank cannot be read: %2").arg(bank, file.errorString());
    return std::nullopt;
}

} // namespace

QString CommandLine::lockPath() const
{
    const QString lock = platform::SingleInstance::defaultLockPath();
    if (bankFolder.isEmpty())
        return lock;
    return lock.chopped(5) + QLatin1Char('-') + bankKey(bankFolder) + QStringLiteral(".lock");
}

std::optional<int> readCommandLine(int argc, char** argv, CommandLine& line)
{
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            std::fputs(help, stdout);
            return 0;
        }
        if (arg == QLatin1String("--data")) {
            if (i + 1 == argc)
                return refuse(QStringLiteral("--data needs a folder: --data DIR"));
            line.bankFolder = QString::fromLocal8Bit(argv[++i]);
        } else if (arg.startsWith(QLatin1String("--data="))) {
            line.bankFolder = arg.mid(7);
        } else {
            continue;
        }
        if (const std::optional<QString> why = unplayableFolder(line.bankFolder))
            return refuse(*why);
    }
    return std::nullopt;
}
