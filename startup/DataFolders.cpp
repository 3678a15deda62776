#include "startup/DataFolders.h"

#include "core/RunTimeError.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString withSlash(QString folder)
{
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    return folder;
}

} // namespace

QString installedDataFolder(const QString& programFolder)
{
    return withSlash(QDir::cleanPath(QDir(programFolder).absoluteFilePath(QStringLiteral("../share/quorvel-challenge"))));
}

QString playerDataFolder()
{
    const QString folder = QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    if (folder.isEmpty() || !QDir().mkpath(folder))
        throw RunTimeError::inFile(folder, 0, QStringLiteral("cannot create the folder for the player's progress"));
    return withSlash(folder);
}

bool folderIsWritable(const QString& folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}

namespace {

QString& bankFolderOfTheRun()
{
    static QString folder;
    return folder;
}

} // namespace

QString playedBankFolder() { return bankFolderOfTheRun(); }

void setPlayedBankFolder(const QString& folder)
{
    bankFolderOfTheRun() = folder.isEmpty() ? QString() : withSlash(QDir::cleanPath(QDir(folder).absolutePath()));
}

QString bankKey(const QString& bankFolder)
{
    const QString path = QDir::cleanPath(QDir(bankFolder).absolutePath());
    const QByteArray hash = QCryptographicHash::hash(path.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QDir(path).dirName() + QLatin1Char('-') + QString::fromLatin1(hash);
}

QString bankProgressFile(const QString& playerFolder, const QString& bankFolder)
{
    return withSlash(playerFolder) + QStringLiteral("banks/") + bankKey(bankFolder) + QStringLiteral("/USER.ASC");
}
