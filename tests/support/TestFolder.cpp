#include "tests/support/TestFolder.h"

#include <QFile>
#include <stdexcept>

TestFolder::TestFolder()
{
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder");
}

QString TestFolder::path() const { return dir_.path() + '/'; }

QString TestFolder::file(const QString& name) const { return path() + name; }

void TestFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + file(name).toStdString());
}

QByteArray TestFolder::read(const QString& name) const
{
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + file(name).toStdString());
    return f.readAll();
}
