#include "startup/DataFolders.h"

#include "core/RunTimeError.h"

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
