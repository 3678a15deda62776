#pragma once
// The signals that end a desktop session or a terminal's job: SIGTERM (a logout or shutdown),
// SIGHUP (the terminal closed) and SIGINT (Ctrl+C). Each reaches the program as a call on the
// user-interface thread the next time events run; a second signal of the same kind before that
// ends the program at once, as it would have without this. A signal that the program was started
// with ignored (nohup, a background job) stays ignored.
#include <QObject>
#include <functional>

class QSocketNotifier;

class SessionSignals : public QObject {
public:
    explicit SessionSignals(std::function<void(int signal)> onSignal);
    ~SessionSignals() override;

    // Ends the program as `signal` itself would have: the parent sees it killed by that signal.
    [[noreturn]] static void endBy(int signal);

private:
    std::function<void(int)> onSignal_;
    QSocketNotifier* notifier_;
};
