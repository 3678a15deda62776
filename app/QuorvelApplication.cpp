#include "app/QuorvelApplication.h"

#include "app/SessionSignals.h"
#include "platform/AccessibleControls.h"
#include "platform/MessageBox.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {

bool reportingError = false;

void writeError(const char* message)
{
    std::fprintf(stderr, "quorvel-challenge: %s\n", message);
    std::fflush(stderr);
}

} // namespace

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
    writeError(message.toLocal8Bit().constData());
    // An error raised while the box is up (its own event loop runs) is not shown a second time.
    if (!reportingError) {
        reportingError = true;
        MsgBox(message, vbCritical, QStringLiteral("The Quorvel Challenge"));
    }
    // The windows and handlers that were interrupted must not run on: end here, without
    // unwinding through them. Nothing is saved, as after any fatal error of the game.
    endProgram(1);
}

void QuorvelApplication::endSession(int signal, const std::function<void()>& keepProgress)
{
    if (!reportingError) {
        try {
            keepProgress();
        } catch (const std::exception& error) {
            writeError(error.what());
            endProgram(1);
        }
    }
    SessionSignals::endBy(signal);
}

void QuorvelApplication::endProgram(int status)
{
    std::fflush(nullptr);
    std::_Exit(status);
}

void QuorvelApplication::endExitsAtOnce()
{
    // The handler registered last runs first, before any library's teardown.
    std::atexit([] { endProgram(1); });
}
