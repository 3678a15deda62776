#pragma once
// The application object. An error that ends a handler reaches its event dispatch: the player
// sees one message box with the error, the same text goes to stderr, and the program ends
// with a non-zero status. A signal that ends the session ends the game as a close would.
#include <QApplication>
#include <functional>

class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Reports the error once and ends the program at once with status 1.
    [[noreturn]] static void endWithError(const QString& message);

    // The session ends with `signal` (a logout, a closed terminal, Ctrl+C): `keepProgress` saves
    // the progress, with no warning and no message box, since nobody is there to answer one;
    // then the program ends as the signal would have ended it. A failed save goes to stderr
    // and ends the program with status 1. Under an error report nothing is saved.
    [[noreturn]] static void endSession(int signal, const std::function<void()>& keepProgress);

    // Ends the program with `status` once its progress is saved, without tearing down the
    // audio libraries: at exit libpulse's thread can still write to a connection that the
    // teardown has freed, which aborted about one close in fifty.
    [[noreturn]] static void endProgram(int status);

    // From here on an exit() that reaches the program ends it at once with status 1. The game
    // itself never calls exit(); Qt's X11 plugin does, with status 1, when the display goes
    // away. exit() would tear the libraries down while the media framework's threads still run,
    // which crashes at times (Qt 6.8). The progress was saved at the last answer.
    static void endExitsAtOnce();
};
