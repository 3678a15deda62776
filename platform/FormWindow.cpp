#include "platform/FormWindow.h"

#include "platform/AccessibleControls.h"
#include "platform/FrameExtents.h"
#include "platform/OleColor.h"
#include "platform/ScreenMetrics.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSessionManager>
#include <QTimer>
#include <QWindow>
#include <cmath>
#include <utility>

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
    // taken off instead would cut the lowest controls under tall title bars.
    const QSize client(static_cast<int>(std::lround(width_ / tx)), static_cast<int>(std::lround(height_ / ty)));
    QPoint place(static_cast<int>(std::lround(left_ / tx)), static_cast<int>(std::lround(top_ / ty)));
    // Where the frame is known before the window shows, the framed window the player sees
    // grows evenly around the client area's place; the client area is then placed inside it.
    if (const std::optional<QMargins> frame = frameExtentsBeforeShow(*this))
        place -= QPoint((frame->right() - frame->left()) / 2, (frame->bottom() - frame->top()) / 2);
    move(place);
    setFixedSize(client.expandedTo(QSize(0, 0)));  // fixed single border: the player cannot resize the window
}

bool FormWindow::RequestClose()
{
    if (unloaded_)
        return true;
    close();
    return unloaded_;
}

bool FormWindow::isCloseRequest(const QObject* receiver, const QEvent& event) const
{
    const bool isKey = event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease
        || event.type() == QEvent::ShortcutOverride;
    // Input from the window system comes to the window first, and from there to its control.
    const QObject* target = receiver;
    if (receiver == windowHandle() && isKey)
        target = focusWidget() ? focusWidget() : this;
    else if (receiver == windowHandle() && dynamic_cast<const QMouseEvent*>(&event))
        target = childAt(static_cast<const QMouseEvent&>(event).position().toPoint());
    if (!target || !target->isWidgetType() || static_cast<const QWidget*>(target)->window() != this)
        return false;
    if (closeButton_ && target == closeButton_)
        return true;
    return isKey && static_cast<const QKeyEvent&>(event).key() == Qt::Key_Escape;
}

bool FormWindow::event(QEvent* event)
{
    const bool result = QWidget::event(event);
    if (event->type() == QEvent::WindowActivate) {
        // Drawn before the window can be seen, a first question's music interlude would not show.
        if (isVisible() && !seen_)
            activationHeld_ = true;
        else
            Form_Activate();
    }
    return result;
}

void FormWindow::noteExposure(const QObject* watched)
{
    if (seen_ || watched != windowHandle() || !windowHandle()->isExposed())
        return;
    seen_ = true;
    // The exposure itself is handled after this filter: what the handlers draw must come later.
    QTimer::singleShot(0, this, [this] {
        if (unloaded_)
            return;
        if (std::exchange(activationHeld_, false))
            Form_Activate();
        Form_FirstSeen();
    });
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Expose)
        noteExposure(watched);
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
