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

QString entry(const char* name, const QStringList& arguments, HANDLE result)
{
    QString text = QStringLiteral("%1(%2)").arg(QLatin1String(name), arguments.join(QStringLiteral(", ")));
    if (result != 0)
        text += QStringLiteral(" -> ") + CallRecorder::handleName(result);
    return text;
}

} // namespace platform::trace
