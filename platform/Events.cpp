#include "platform/Events.h"

#include "platform/FormWindow.h"
#include "platform/ScreenReader.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEvent>

namespace platform {

namespace {

bool isPlayerInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

// A close request stays wanted whenever it was given: the Close button, Esc.
bool isCloseRequest(const QObject* receiver, const QEvent& event)
{
    for (const QWidget* window : QApplication::topLevelWidgets()) {
        const auto* form = qobject_cast<const FormWindow*>(window);
        if (form && form->isCloseRequest(receiver, event))
            return true;
    }
    return false;
}

// Swallows player input, close requests aside, for as long as it is installed on the application.
class InputDropper : public QObject {
public:
    InputDropper() { QCoreApplication::instance()->installEventFilter(this); }
    ~InputDropper() override { QCoreApplication::instance()->removeEventFilter(this); }
    InputDropper(const InputDropper&) = delete;
    InputDropper& operator=(const InputDropper&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return isPlayerInput(event->type()) && !isCloseRequest(watched, *event);
    }
};

} // namespace

void DoEvents()
{
    // Deferred deletes are left alone: a window that unloads inside a handler stays valid
    // until that handler has returned to the event loop.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    AnswerScreenReader();
}

void DropPendingInput()
{
    // The filter installed last sees every event first, before the windows' key preview.
    const InputDropper dropper;
    // Input read from the window system in one round can reach its widget only in the next:
    // repeat while a round still finds something to do, a few rounds at most.
    auto* dispatcher = QAbstractEventDispatcher::instance();
    for (int round = 0; round < 8 && dispatcher->processEvents(QEventLoop::AllEvents); ++round) {
    }
}

} // namespace platform
