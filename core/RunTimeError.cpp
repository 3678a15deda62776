#include "core/RunTimeError.h"

RunTimeError::RunTimeError(const QString& message)
    : std::runtime_error(message.toStdString())
{
}

RunTimeError RunTimeError::inFile(const QString& file, qint64 line, const QString& what)
{
    if (line > 0)
        return RunTimeError(QStringLiteral("%1:%2: %3").arg(file).arg(line).arg(what));
    return RunTimeError(QStringLiteral("%1: %2").arg(file, what));
}
