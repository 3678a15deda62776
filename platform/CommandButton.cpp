#include "platform/CommandButton.h"

namespace platform {

CommandButton::CommandButton(QWidget* parent, const QString& caption)
    : QPushButton(parent), FractionalGeometry(static_cast<QWidget&>(*this))
{
    // The caption is a fixed text of the window; an ampersand in it is shown, not a shortcut.
    QString shown = caption;
    setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
    setFocusPolicy(Qt::StrongFocus);
    setAutoDefault(true);  // Enter presses the focused button, as Space does
}

void CommandButton::setFontSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

} // namespace platform
