#include "platform/MessageBox.h"

#include "platform/LineBreaks.h"

#include <QMessageBox>

namespace {

MsgBoxHook hook;

QMessageBox::Icon iconOf(int32_t style)
{
    switch (style & 0x70) {
    case vbCritical: return QMessageBox::Critical;
    case vbQuestion: return QMessageBox::Question;
    case vbExclamation: return QMessageBox::Warning;
    case vbInformation: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

} // namespace

int32_t MsgBox(const QString& text, int32_t style, const QString& title)
{
    if (hook) {
        hook(text, style, title);
        return vbOK;
    }
    QMessageBox box(iconOf(style), title, shownLineBreaks(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);  // the game's texts are never markup
    box.exec();
    return vbOK;
}

void setMsgBoxHook(MsgBoxHook newHook) { hook = std::move(newHook); }
