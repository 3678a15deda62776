#include "platform/GdiTrace.h"

namespace platform::trace {

QString colorText(COLORREF color) { return QStringLiteral("0x%1").arg(color, 8, 16, QLatin1Char('0')).toUpper().replace("0X", "0x"); }

QString ropName(uint32_t rop)
{
    switch (rop) {
    case SRCCOPY: return QStringLiteral("SRCCOPY");
    case NOTSRCCOPY: return QStringLiteral("NOTSRCCOPY");
    case SRCAND: return QStringLiteral("SRCAND");
    case SRCINVERT: return QStringLiteral("SRCINVERT");
    default: return colorText(rop);
    }
}

void note(const char* name, const QStringList& arguments, HANDLE result)
{
    QString entry = QStringLiteral("%1(%2)").arg(QLatin1String(name), arguments.join(QStringLiteral(", ")));
    if (result != 0)
        entry += QStringLiteral(" -> ") + CallRecorder::handleName(result);
    CallRecorder::note(entry);
}

} // namespace platform::trace
