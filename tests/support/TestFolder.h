#pragma once
// A temporary folder of real files for one test, removed with it.
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

class TestFolder {
public:
    TestFolder();
    QString path() const;                       // ends with '/'
    QString file(const QString& name) const;    // path() + name
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};
