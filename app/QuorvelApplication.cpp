#include "app/QuorvelApplication.h"

#include "platform/AccessibleControls.h"
#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

QuorvelApplication::QuorvelApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("quorvel-challenge"));
    // Before the first window exists, so that no window is described to a screen reader by
    // Qt's plain interfaces first.
    platform::useAccessibleControls();
}

bool QuorvelApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        // RunTimeError and anything the standard library raised end the program alike.
        endWithError(QString::fromUtf8(error.what()));
    }
}

void QuorvelApplication::endWithError(const QString& message)
{
    static bool reporting = false;
    std::fprintf(stderr, "quorvel-challenge: %s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    // An error raised while the box is up (its own event loop runs) is not shown a second time.
    if (!reporting) {
        reporting = true;
        MsgBox(message, vbCritical, QStringLiteral("The Quorvel Challenge"));
    }
    // The windows and handlers that were interrupted must not run on: end here, without
    // unwinding through them. Nothing is saved, as after any fatal error of the game.
    std::_Exit(1);
}
