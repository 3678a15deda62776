#include "Events.h"

#include <QCoreApplication>

namespace platform {

void DoEvents()
{
    // Deferred deletes are left alone: a window that unloads inside a handler stays valid
    // until that handler has returned to the event loop.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

} // namespace platform
