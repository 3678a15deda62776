#include "platform/FormWindow.h"

#include "platform/AccessibleControls.h"
#include "platform/OleColor.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QSessionManager>
#include <cmath>

namespace platform {

FormWindow::FormWindow(const QString& caption)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    useAccessibleControls();  // done already by the game's application object, not by a test's
    setWindowTitle(caption);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(oleColorToRgb(0x80000005)));  // the window colour
    setPalette(p);
    setAutoFillBackground(true);
    // Key preview: every key typed in the window reaches Form_KeyPress first.
    qApp->installEventFilter(this);
#ifndef QT_NO_SESSIONMANAGER
    // A shutdown of the session is one more close request; a refused one cancels the shutdown.
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
        if (isVisible() && !RequestClose())
            manager.cancel();
    });
#endif
}

FormWindow::~FormWindow() { qApp->removeEventFilter(this); }

void FormWindow::MoveTwips(double left, double top, double width, double height)
{
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    applyGeometry();
}

void FormWindow::applyGeometry()
{
    const double tx = ScreenMetrics::twipsPerPixelX();
    const double ty = ScreenMetrics::twipsPerPixelY();
    // The measures are the client area's: the controls are placed inside them, and the
    // desktop's frame (none, or a title bar of any height) is added around them. A frame
    // taken off instead would cut the lowest controls under tall title bars, and would only be
    // known once the window is shown, after the layout.
    const QSize client(static_cast<int>(std::lround(width_ / tx)), static_cast<int>(std::lround(height_ / ty)));
    move(static_cast<int>(std::lround(left_ / tx)), static_cast<int>(std::lround(top_ / ty)));
    setFixedSize(client.expandedTo(QSize(0, 0)));  // fixed single border: the player cannot resize the window
}

bool FormWindow::RequestClose()
{
    if (unloaded_)
        return true;
    close();
    return unloaded_;
}

bool FormWindow::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return result;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    // A key that nobody takes travels up to the parents; preview it once, at its first receiver.
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (widget != first || widget->window() != this || unloaded_)
        return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1)
        return false;
    int16_t keyAscii = static_cast<int16_t>(text.at(0).unicode());
    Form_KeyPress(keyAscii);
    // A handler that took the key sets it to 0, as the game's key handlers do; the Esc key's
    // close request ends its handling here.
    return keyAscii == 0 || unloaded_;
}

void FormWindow::closeEvent(QCloseEvent* event)
{
    if (unloaded_) {
        event->accept();
        return;
    }
    bool cancel = false;
    Form_QueryUnload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    Form_Unload();
    event->accept();
}

} // namespace platform
