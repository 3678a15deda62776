// The keyboard and the mouse on a surface, told to the game through its handlers in the
// original platform's key codes, shift states and scale units.
#include "platform/Surface.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace platform {

namespace {

// The key codes of the original platform for the keys that differ from Qt's.
int16_t keyCodeOf(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space)
        return static_cast<int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F16)
        return static_cast<int16_t>(112 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

int16_t shiftOf(Qt::KeyboardModifiers modifiers)
{
    return static_cast<int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                                (modifiers & Qt::AltModifier ? 4 : 0));
}

int16_t buttonsOf(Qt::MouseButtons buttons)
{
    return static_cast<int16_t>((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                                (buttons & Qt::MiddleButton ? 4 : 0));
}
} // namespace

void Surface::keyPressEvent(QKeyEvent* event)
{
    if (!handlers.KeyDown && !handlers.KeyPress) {
        QWidget::keyPressEvent(event);  // let the container see it
        return;
    }
    int16_t keyCode = keyCodeOf(event->key());
    int16_t shift = shiftOf(event->modifiers());
    if (handlers.KeyDown && keyCode != 0)
        handlers.KeyDown(keyCode, shift);
    lastKeyCode_ = keyCode;
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() > 0 && text.at(0).unicode() < 256) {
        int16_t keyAscii = static_cast<int16_t>(text.at(0).unicode());
        if (handlers.KeyPress)
            handlers.KeyPress(keyAscii);
        lastKeyAscii_ = keyAscii;
    }
}

void Surface::keyReleaseEvent(QKeyEvent* event)
{
    if (!handlers.KeyUp) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    int16_t keyCode = keyCodeOf(event->key());
    int16_t shift = shiftOf(event->modifiers());
    if (keyCode != 0)
        handlers.KeyUp(keyCode, shift);
    lastKeyCode_ = keyCode;
}

namespace {
template <typename Handler>
void raiseMouse(const Handler& handler, const Surface& surface, Qt::MouseButtons buttons, QMouseEvent* event,
                const QPoint& clientOrigin)
{
    if (!handler)
        return;
    int16_t button = buttonsOf(buttons);
    int16_t shift = shiftOf(event->modifiers());
    const QPointF pos = event->position() - QPointF(clientOrigin);
    float x = static_cast<float>(surface.fromPixelsX(pos.x()));
    float y = static_cast<float>(surface.fromPixelsY(pos.y()));
    handler(button, shift, x, y);
}
} // namespace

void Surface::mousePressEvent(QMouseEvent* event)
{
    doubleClicked_ = false;
    raiseMouse(handlers.MouseDown, *this, event->button(), event, clientRect().topLeft());
}

void Surface::mouseReleaseEvent(QMouseEvent* event)
{
    raiseMouse(handlers.MouseUp, *this, event->button(), event, clientRect().topLeft());
    // A click is a left press and release on the surface; the release after a double click is not one.
    if (event->button() == Qt::LeftButton && !doubleClicked_ && rect().contains(event->position().toPoint()) && handlers.Click)
        handlers.Click();
    doubleClicked_ = false;
}

void Surface::mouseDoubleClickEvent(QMouseEvent* event)
{
    doubleClicked_ = true;
    if (event->button() == Qt::LeftButton && handlers.DblClick)
        handlers.DblClick();
}

void Surface::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(handlers.MouseMove, *this, event->buttons(), event, clientRect().topLeft());
}

} // namespace platform
