#include "platform/AccessibleControls.h"

#include "platform/ImageBox.h"
#include "platform/Label.h"

#include <QAccessibleWidget>

namespace platform {

namespace {

// A message of an Announcer, spoken as it shows.
class AccessibleAnnouncement : public QAccessibleWidget {
public:
    explicit AccessibleAnnouncement(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Notification) {}

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name ? widget()->property("message").toString() : QAccessibleWidget::text(kind);
    }
};

class AccessibleLabel : public QAccessibleWidget {
public:
    explicit AccessibleLabel(Label* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    QAccessible::Role role() const override
    {
        return label()->Alert() ? QAccessible::AlertMessage : QAccessible::StaticText;
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name)
            return QAccessibleWidget::text(kind);
        return label()->isVisible() ? label()->text() : QString();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = QAccessibleWidget::state();
        if (label()->text().isEmpty())
            state.invisible = true;
        return state;
    }

private:
    Label* label() const { return static_cast<Label*>(widget()); }
};

QAccessibleInterface* gameControlInterface(const QString& className, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    if (className == QLatin1String("platform::Label"))
        return new AccessibleLabel(static_cast<Label*>(widget));
    if (className == QLatin1String("QWidget") && object->objectName() == QLatin1String("Announcement"))
        return new AccessibleAnnouncement(widget);
    if (className == QLatin1String("platform::ImageBox"))
        return new QAccessibleWidget(widget, QAccessible::Graphic);
    // The game's windows are plain widgets, which Qt would report as mere fillers.
    if ((className == QLatin1String("platform::FormWindow") || className == QLatin1String("platform::Surface"))
        && widget->isWindow())
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

} // namespace

void useAccessibleControls()
{
    // Factories installed later are asked first, so this one comes after the application's own.
    static const bool installed = [] {
        QAccessible::installFactory(gameControlInterface);
        return true;
    }();
    (void)installed;
}

} // namespace platform
