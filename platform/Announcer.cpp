#include "platform/Announcer.h"

#include <QList>

namespace platform {

namespace {

// Enough for the messages of a few seconds; a screen reader has read them by then.
constexpr qsizetype KeptMessages = 4;

} // namespace

Announcer::Announcer(QWidget* window) : QWidget(window)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setGeometry(0, 0, 0, 0);
    setFocusPolicy(Qt::NoFocus);
    show();
}

void Announcer::say(const QString& message)
{
    const QList<QWidget*> said = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (qsizetype i = 0; i + KeptMessages <= said.size(); ++i)
        delete said.at(i);
    auto* notification = new QWidget(this);
    notification->setObjectName(QStringLiteral("Announcement"));
    // Read by its accessible face: an accessible name set here would be one more event to hear.
    notification->setProperty("message", message);
    notification->setGeometry(0, 0, 0, 0);
    notification->setFocusPolicy(Qt::NoFocus);
    notification->show();  // a screen reader hears it show
}

} // namespace platform
