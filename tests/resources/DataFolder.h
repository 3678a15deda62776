#pragma once
// The data folder that the build lays out next to the game's executable.
#include <QDir>
#include <QString>

inline QString dataFile(const QString& name)
{
    return QDir(QStringLiteral(QUORVEL_DATA_DIR)).filePath(name);
}
