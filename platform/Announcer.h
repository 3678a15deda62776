#pragma once
// Speaks what appears in a window to a screen reader, without drawing anything and without
// moving the keyboard focus. Each message is an invisible notification of its own that shows
// when it is said: a screen reader speaks a notification as it shows, and reads its text
// later, when it gets to it, so one object per message keeps a quick second message from
// replacing the first before it has been read.
#include <QWidget>

namespace platform {

class Announcer : public QWidget {
    Q_OBJECT
public:
    explicit Announcer(QWidget* window);

    void say(const QString& message);
};

} // namespace platform
