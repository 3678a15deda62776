#include "platform/LineBreaks.h"

QString shownLineBreaks(const QString& text)
{
    // The common text has none: it is handed on without a search for each kind of break.
    if (!text.contains(QLatin1Char('\r')))
        return text;
    QString shown = text;
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}
