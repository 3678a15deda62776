// How a surface shows its image: repaints of the changed part, held presentation for drawing in
// many small pieces, see-through windows and a scaled screen's device pixels.
#include "platform/Surface.h"

#include <QPainter>
#include <QPaintEvent>
#include <cmath>

namespace platform {

namespace {

// The part of `image` with every pixel of `clear` made fully transparent.
QImage withClearPixels(const QImage& image, const QRect& part, QRgb clear)
{
    QImage result = image.copy(part).convertToFormat(QImage::Format_ARGB32);
    clear |= 0xFF000000u;
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == clear)
                line[x] = 0;
        }
    }
    return result;
}

} // namespace
void Surface::drawDevicePicture(QPainter& painter, const QRect& source)
{
    const QImage device = picture_ ? picture_.image() : QImage();
    const qreal ratio = device.devicePixelRatio();
    if (normal_.size() != screen_.size() || !qFuzzyCompare(ratio, devicePixelRatioF()))
        return;
    // A game pixel covers the device pixels from its left edge up to the next one's; at a
    // fractional ratio the part shown also takes the device pixel the far edge falls into.
    const auto edge = [ratio](int pixel) { return static_cast<int>(std::floor(pixel * ratio)); };
    const auto farEdge = [ratio](int pixel) { return static_cast<int>(std::ceil(pixel * ratio)); };
    const QRect shownPart = QRect(QPoint(edge(source.left()), edge(source.top())),
                                  QPoint(farEdge(source.right() + 1) - 1, farEdge(source.bottom() + 1) - 1)) &
                            device.rect();
    if (shownPart.isEmpty())
        return;
    QImage shown = device.copy(shownPart);
    shown.setDevicePixelRatio(1);
    // Pixels drawn since the normal content cover their device pixels in their own colour.
    for (int y = source.top(); y <= source.bottom(); ++y) {
        const auto* drawn = reinterpret_cast<const QRgb*>(screen_.constScanLine(y));
        const auto* normal = reinterpret_cast<const QRgb*>(normal_.constScanLine(y));
        for (int x = source.left(); x <= source.right(); ++x) {
            if (drawn[x] == normal[x])
                continue;
            const QRect block = QRect(QPoint(edge(x), edge(y)), QPoint(edge(x + 1) - 1, edge(y + 1) - 1)) & shownPart;
            for (int by = block.top(); by <= block.bottom(); ++by) {
                auto* line = reinterpret_cast<QRgb*>(shown.scanLine(by - shownPart.top()));
                std::fill_n(line + block.left() - shownPart.left(), block.width(), drawn[x]);
            }
        }
    }
    painter.save();
    painter.translate(clientRect().topLeft());
    painter.scale(1 / ratio, 1 / ratio);
    painter.drawImage(shownPart.topLeft(), shown);
    painter.restore();
}
void Surface::holdPresentation(bool hold)
{
    presentationHeld_ = hold;
    if (!hold)
        presentHeld();
}

void Surface::presentHeld()
{
    const QRect rect = std::exchange(heldRect_, QRect());
    const bool held = std::exchange(presentationHeld_, false);
    if (!rect.isEmpty())
        present(rect);
    presentationHeld_ = held;
}

void Surface::present(const QRect& rect)
{
    if (presentationHeld_) {
        heldRect_ |= rect;
        return;
    }
    if (!isVisible())
        return;
    const QRect area = rect.translated(clientRect().topLeft()) & this->rect();
    if (!area.isEmpty())
        repaint(area);
}

void Surface::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    const QRect client = clientRect();
    if (borderStyle_ > 0 && !isWindow()) {
        // A sunken single border: dark grey outside, black inside.
        painter.setPen(QColor(0x80, 0x80, 0x80));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(1, 1, -2, -2));
    }
    if (shapeEmpty_)
        return;
    const QRect area = event->rect() & client;
    if (area.isEmpty())
        return;
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect source = area.translated(-client.topLeft());
    // In a see-through window the clear pixels replace what the window had there with
    // transparency, in the window and in the controls on it alike.
    const auto* top = qobject_cast<const Surface*>(window());
    if (top && top->clearPixel_)
        painter.drawImage(area.topLeft(), withClearPixels(screen_, source, *top->clearPixel_));
    else {
        painter.drawImage(area, screen_, source);
        drawDevicePicture(painter, source);
    }
}

void Surface::makeSeeThrough(QRgb clearPixel)
{
    setAttribute(Qt::WA_TranslucentBackground);
    clearPixel_ = clearPixel;
}
} // namespace platform
