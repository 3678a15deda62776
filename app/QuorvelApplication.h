#pragma once
// The application object. An error that ends a handler reaches its event dispatch: the player
// sees one message box with the error, the same text goes to stderr, and the program ends
// with a non-zero status.
#include <QApplication>

class QuorvelApplication : public QApplication {
public:
    QuorvelApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Reports the error once and ends the program at once with status 1.
    [[noreturn]] static void endWithError(const QString& message);
};
