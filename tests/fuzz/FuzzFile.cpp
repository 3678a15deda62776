#include "tests/fuzz/FuzzFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

QString writeFuzzFile(const char* name, const uint8_t* data, size_t size)
{
    static QTemporaryDir dir;
    const QString path = dir.path() + '/' + name;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}
