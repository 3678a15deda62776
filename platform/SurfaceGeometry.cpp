// Where a surface sits in its container: its rectangle in the container's scale units, kept as
// fractional pixels and given to Qt rounded half to even.
#include "platform/Surface.h"

#include "core/Numbers.h"
#include "platform/CallRecorder.h"
#include "platform/ScreenMetrics.h"

#include <QMoveEvent>
#include <QResizeEvent>

namespace platform {

QRect Surface::clientRect() const { return contentsRect(); }

Surface* Surface::container() const { return isWindow() ? nullptr : qobject_cast<Surface*>(parentWidget()); }

namespace {

int rounded(double value) { return static_cast<int>(roundHalfEven(value)); }

// How the container measures: units per pixel and the unit value of its pixel 0.
struct ContainerScale {
    double perPixelX = 1, perPixelY = 1, originX = 0, originY = 0;
};

} // namespace

static ContainerScale containerScaleOf(const Surface* surface, Surface* container)
{
    ContainerScale scale;
    if (surface->isWindow()) {
        scale.perPixelX = ScreenMetrics::twipsPerPixelX();
        scale.perPixelY = ScreenMetrics::twipsPerPixelY();
    } else if (container) {
        scale.perPixelX = container->ScaleX(1, vbPixels);
        scale.perPixelY = container->ScaleY(1, vbPixels);
        scale.originX = container->ScaleLeft();
        scale.originY = container->ScaleTop();
    }
    return scale;
}

float Surface::Left() const
{
    const auto s = containerScaleOf(this, container());
    return static_cast<float>(geometryPx_.x() * s.perPixelX + s.originX);
}

float Surface::Top() const
{
    const auto s = containerScaleOf(this, container());
    return static_cast<float>(geometryPx_.y() * s.perPixelY + s.originY);
}

float Surface::Width() const { return static_cast<float>(geometryPx_.width() * containerScaleOf(this, container()).perPixelX); }
float Surface::Height() const { return static_cast<float>(geometryPx_.height() * containerScaleOf(this, container()).perPixelY); }

void Surface::setLeft(float value) { Move(value, Top()); }
void Surface::setTop(float value) { Move(Left(), value); }
void Surface::setWidth(float value) { Move(Left(), Top(), value); }
void Surface::setHeight(float value) { Move(Left(), Top(), Width(), value); }

void Surface::Move(float left, float top, std::optional<float> width, std::optional<float> height)
{
    CallRecorder::recordOf(hwnd_, [&] {
        return QStringLiteral("Move(%1, %2%3%4)")
            .arg(left)
            .arg(top)
            .arg(width ? QStringLiteral(", %1").arg(*width) : QString())
            .arg(height ? QStringLiteral(", %1").arg(*height) : QString());
    });
    const auto s = containerScaleOf(this, container());
    geometryPx_.moveTo((left - s.originX) / s.perPixelX, (top - s.originY) / s.perPixelY);
    if (width)
        geometryPx_.setWidth(std::max(0.0, *width / s.perPixelX));
    if (height)
        geometryPx_.setHeight(std::max(0.0, *height / s.perPixelY));
    applyGeometry();
}

void Surface::applyGeometry()
{
    const QRect wanted(rounded(geometryPx_.x()), rounded(geometryPx_.y()), rounded(geometryPx_.width()),
                       rounded(geometryPx_.height()));
    if (isWindow()) {
        // The geometry is the whole window's; Qt sizes the client area.
        const QSize frameExtra = frameGeometry().size() - size();
        move(wanted.topLeft());
        resize((wanted.size() - frameExtra).expandedTo(QSize(0, 0)));
    } else {
        setGeometry(wanted);
    }
}
void Surface::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    // Somebody else moved us (a window manager, a layout): take their whole pixels.
    const QRect actual = isWindow() ? frameGeometry() : geometry();
    if (actual.topLeft() != QPoint(rounded(geometryPx_.x()), rounded(geometryPx_.y())))
        geometryPx_.moveTo(actual.topLeft());
}
void Surface::resizeEvent(QResizeEvent* event)
{
    if (event)
        QWidget::resizeEvent(event);
    const QRect actual = isWindow() ? frameGeometry() : geometry();
    if (actual.size() != QSize(rounded(geometryPx_.width()), rounded(geometryPx_.height())))
        geometryPx_.setSize(actual.size());
    fitImagesToClient();
}

} // namespace platform
