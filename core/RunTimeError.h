#pragma once
// The one error the game raises. It ends the running handler; the application object
// reports it once (message box and stderr) and ends the program with a non-zero status.
#include <QString>
#include <stdexcept>

class RunTimeError : public std::runtime_error {
public:
    explicit RunTimeError(const QString& message);

    // "FILE:LINE: what" (line 0 leaves the line out), so every error names where it arose.
    static RunTimeError inFile(const QString& file, qint64 line, const QString& what);

    QString message() const { return QString::fromUtf8(what()); }
};
