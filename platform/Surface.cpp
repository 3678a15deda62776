#include "platform/Surface.h"

#include "platform/CallRecorder.h"
#include "core/Numbers.h"
#include "platform/OleColor.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"

#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

namespace platform {

// A DC's view of the surface: the hDC follows AutoRedraw, the window DC is always the screen.
class Surface::Target : public gdi::DrawTarget {
public:
    Target(Surface* surface, bool followsAutoRedraw) : surface_(surface), followsAutoRedraw_(followsAutoRedraw) {}

    QImage* targetImage() override { return persistent() ? &surface_->persistent_ : &surface_->screen_; }

    void changed(const QRect& rect) override
    {
        // Drawing on the screen is seen at once; the persistent image waits for a Refresh.
        if (!persistent())
            surface_->present(rect);
    }

private:
    bool persistent() const { return followsAutoRedraw_ && surface_->autoRedraw_; }
    Surface* surface_;
    bool followsAutoRedraw_;
};

namespace {

QString boolText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

QImage blankImage(const QSize& size)
{
    QImage image(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    return image;
}

// The key codes of the original platform for the keys that differ from Qt's.
int16_t keyCodeOf(int key)
{
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z) || key == Qt::Key_Space)
        return static_cast<int16_t>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F16)
        return static_cast<int16_t>(112 + (key - Qt::Key_F1));
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Shift: return 16;
    case Qt::Key_Control: return 17;
    case Qt::Key_Alt: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Escape: return 27;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    default: return 0;
    }
}

int16_t shiftOf(Qt::KeyboardModifiers modifiers)
{
    return static_cast<int16_t>((modifiers & Qt::ShiftModifier ? 1 : 0) | (modifiers & Qt::ControlModifier ? 2 : 0) |
                                (modifiers & Qt::AltModifier ? 4 : 0));
}

int16_t buttonsOf(Qt::MouseButtons buttons)
{
    return static_cast<int16_t>((buttons & Qt::LeftButton ? 1 : 0) | (buttons & Qt::RightButton ? 2 : 0) |
                                (buttons & Qt::MiddleButton ? 4 : 0));
}

int rounded(double value) { return static_cast<int>(roundHalfEven(value)); }

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

Surface::Surface(QWidget* parent)
    : QWidget(parent)
    , hdcTarget_(std::make_unique<Target>(this, true))
    , screenTarget_(std::make_unique<Target>(this, false))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);  // MouseMove comes with and without a button held
    if (parent)
        setFocusPolicy(Qt::ClickFocus);
    hwnd_ = gdi::windowHandle(this);
    hdc_ = gdi::createTargetDC(hdcTarget_.get());
    gdi::registerWindowTarget(hwnd_, screenTarget_.get());
    geometryPx_ = isWindow() ? QRectF(frameGeometry()) : QRectF(geometry());
    screen_ = blankImage(clientRect().size());
    paintNormal(screen_);
}

Surface::~Surface()
{
    gdi::registerWindowTarget(hwnd_, nullptr);
    DeleteDC(hdc_);
}

HWND Surface::hwnd() { return hwnd_; }
HDC Surface::hDC() { return hdc_; }

void Surface::record(const QString& what) const
{
    if (CallRecorder::active())
        CallRecorder::note(CallRecorder::handleName(hwnd_) + QLatin1Char('.') + what);
}

// ---------------------------------------------------------------- content

void Surface::renderNormal(QImage& image)
{
    image.fill(oleColorToRgb(backColor_));
    if (picture_) {
        QPainter painter(&image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, picture_.image());
        // A picture in a scaled screen's device pixels is shown in them where it stays unchanged.
        if (picture_.image().devicePixelRatio() != 1)
            normal_ = image.copy();
    }
}

void Surface::paintNormal(QImage& image)
{
    if (image.isNull())
        return;
    normal_ = QImage();
    renderNormal(image);
}

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

void Surface::repaintContent()
{
    // Changing what the normal content is clears run-time drawing, as on the original platform.
    if (autoRedraw_) {
        paintNormal(persistent_);
        screen_ = persistent_.copy();
    } else {
        paintNormal(screen_);
    }
    present(QRect(QPoint(0, 0), screen_.size()));
}

void Surface::setBackColor(uint32_t color)
{
    record(QStringLiteral("BackColor = 0x%1").arg(color, 8, 16, QLatin1Char('0')));
    backColor_ = color;
    repaintContent();
}

void Surface::setForeColor(uint32_t color) { foreColor_ = color; }

void Surface::setPicture(const Picture& picture)
{
    record(QStringLiteral("Picture = ") + (picture ? CallRecorder::handleName(picture.Handle()) : QStringLiteral("Nothing")));
    picture_ = picture;
    repaintContent();
}

void Surface::setMaskPicture(const Picture& picture)
{
    maskPicture_ = picture;
    updateShape();
}

void Surface::setMaskColor(uint32_t color)
{
    maskColor_ = color;
    updateShape();
}

void Surface::setBackStyle(int16_t style)
{
    backStyle_ = style;
    updateShape();
    update();
}

void Surface::setBorderStyle(int16_t style)
{
    borderStyle_ = style;
    if (!isWindow()) {
        const int margin = 2 * std::max<int16_t>(style, 0);
        setContentsMargins(margin, margin, margin, margin);
        resizeEvent(nullptr);
    }
    update();
}

void Surface::setFont(const QFont& font) { QWidget::setFont(font); }

void Surface::setEnabledProperty(bool enabled) { setEnabled(enabled); }

void Surface::updateShape()
{
    const bool transparent = backStyle_ == 0 && !isWindow();
    setAttribute(Qt::WA_OpaquePaintEvent, !transparent);
    shapeEmpty_ = false;
    shape_ = QRegion(QRect(QPoint(0, 0), screen_.size()));
    if (!transparent) {
        clearMask();
        setAttribute(Qt::WA_TransparentForMouseEvents, false);
        return;
    }
    // The visible shape: the mask picture's pixels that differ from the mask colour.
    shape_ = QRegion();
    if (maskPicture_) {
        const QImage mask = maskPicture_.image().convertToFormat(QImage::Format_RGB32);
        // Through QBitmap's colour table, the pixels this marks end up outside the region.
        const QImage bits = mask.createMaskFromColor(oleColorToRgb(maskColor_), Qt::MaskInColor);
        shape_ = QRegion(QBitmap::fromImage(bits)) & QRect(QPoint(0, 0), screen_.size());
    }
    shapeEmpty_ = shape_.isEmpty();
    setAttribute(Qt::WA_TransparentForMouseEvents, shapeEmpty_);
    if (shapeEmpty_)
        clearMask();  // an empty mask means "no mask" to Qt; paintEvent draws nothing instead
    else
        setMask(shape_.translated(clientRect().topLeft()));
    update();
}

bool Surface::isInShape(const QPoint& clientPixel) const { return !shapeEmpty_ && shape_.contains(clientPixel); }

// ---------------------------------------------------------------- persistent image, run-time drawing

void Surface::setAutoRedraw(bool on)
{
    record(QStringLiteral("AutoRedraw = ") + boolText(on));
    if (on == autoRedraw_)
        return;
    autoRedraw_ = on;
    if (on) {
        persistent_ = blankImage(screen_.size());
        paintNormal(persistent_);
    } else {
        persistent_ = QImage();
    }
}

void Surface::Refresh()
{
    record(QStringLiteral("Refresh"));
    if (autoRedraw_) {
        screen_ = persistent_.copy();
        present(QRect(QPoint(0, 0), screen_.size()));
        return;
    }
    paintNormal(screen_);
    present(QRect(QPoint(0, 0), screen_.size()));
    if (handlers.Paint)
        handlers.Paint();
}

void Surface::Cls()
{
    record(QStringLiteral("Cls"));
    repaintContent();
    currentX_ = 0;
    currentY_ = 0;
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

// ---------------------------------------------------------------- scale

QRect Surface::clientRect() const { return contentsRect(); }

double Surface::unitsPerPixelX(int16_t mode) const
{
    const double tpp = ScreenMetrics::twipsPerPixelX();
    switch (mode) {
    case vbUser: {
        const int width = clientRect().width();
        return width > 0 ? userWidth_ / width : userWidth_;
    }
    case vbTwips: return tpp;
    case vbPoints: return tpp / 20.0;
    case vbPixels: return 1.0;
    case vbCharacters: return tpp / 120.0;
    case vbInches: return tpp / 1440.0;
    case vbMillimeters: return tpp * 25.4 / 1440.0;
    case vbCentimeters: return tpp * 2.54 / 1440.0;
    case vbHimetric: return tpp * 2540.0 / 1440.0;
    default: throw RunTimeError::inFile(QStringLiteral(__FILE__), __LINE__, QStringLiteral("Invalid property value"));
    }
}

double Surface::unitsPerPixelY(int16_t mode) const
{
    const double tpp = ScreenMetrics::twipsPerPixelY();
    switch (mode) {
    case vbUser: {
        const int height = clientRect().height();
        return height > 0 ? userHeight_ / height : userHeight_;
    }
    case vbCharacters: return tpp / 240.0;
    case vbTwips: return tpp;
    case vbPoints: return tpp / 20.0;
    case vbPixels: return 1.0;
    case vbInches: return tpp / 1440.0;
    case vbMillimeters: return tpp * 25.4 / 1440.0;
    case vbCentimeters: return tpp * 2.54 / 1440.0;
    case vbHimetric: return tpp * 2540.0 / 1440.0;
    default: throw RunTimeError::inFile(QStringLiteral(__FILE__), __LINE__, QStringLiteral("Invalid property value"));
    }
}

void Surface::setScaleMode(int16_t mode)
{
    record(QStringLiteral("ScaleMode = %1").arg(mode));
    if (mode < vbUser || mode > vbCentimeters)
        throw RunTimeError::inFile(QStringLiteral(__FILE__), __LINE__, QStringLiteral("Invalid property value"));
    if (mode == vbUser) {
        // The user scale starts from the current one.
        userLeft_ = ScaleLeft();
        userTop_ = ScaleTop();
        userWidth_ = ScaleWidth();
        userHeight_ = ScaleHeight();
    }
    scaleMode_ = mode;
}

float Surface::ScaleWidth() const
{
    return static_cast<float>(scaleMode_ == vbUser ? userWidth_ : clientRect().width() * unitsPerPixelX(scaleMode_));
}

float Surface::ScaleHeight() const
{
    return static_cast<float>(scaleMode_ == vbUser ? userHeight_ : clientRect().height() * unitsPerPixelY(scaleMode_));
}

float Surface::ScaleLeft() const { return static_cast<float>(scaleMode_ == vbUser ? userLeft_ : 0.0); }
float Surface::ScaleTop() const { return static_cast<float>(scaleMode_ == vbUser ? userTop_ : 0.0); }

namespace {
void requireNonZero(float value)
{
    if (value == 0)
        throw RunTimeError::inFile(QStringLiteral(__FILE__), __LINE__, QStringLiteral("Invalid property value"));
}
} // namespace

void Surface::setScaleWidth(float value)
{
    requireNonZero(value);
    setScaleMode(vbUser);
    userWidth_ = value;
}

void Surface::setScaleHeight(float value)
{
    requireNonZero(value);
    setScaleMode(vbUser);
    userHeight_ = value;
}

void Surface::setScaleLeft(float value)
{
    setScaleMode(vbUser);
    userLeft_ = value;
}

void Surface::setScaleTop(float value)
{
    setScaleMode(vbUser);
    userTop_ = value;
}

double Surface::ScaleX(double value, int16_t fromScale, int16_t toScale) const
{
    return value / unitsPerPixelX(fromScale) * unitsPerPixelX(toScale < 0 ? scaleMode_ : toScale);
}

double Surface::ScaleY(double value, int16_t fromScale, int16_t toScale) const
{
    return value / unitsPerPixelY(fromScale) * unitsPerPixelY(toScale < 0 ? scaleMode_ : toScale);
}

double Surface::toPixelsX(double x) const { return (x - ScaleLeft()) / unitsPerPixelX(scaleMode_); }
double Surface::toPixelsY(double y) const { return (y - ScaleTop()) / unitsPerPixelY(scaleMode_); }
double Surface::fromPixelsX(double px) const { return px * unitsPerPixelX(scaleMode_) + ScaleLeft(); }
double Surface::fromPixelsY(double py) const { return py * unitsPerPixelY(scaleMode_) + ScaleTop(); }

// ---------------------------------------------------------------- geometry on the container

Surface* Surface::container() const { return isWindow() ? nullptr : qobject_cast<Surface*>(parentWidget()); }

namespace {
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
    record(QStringLiteral("Move(%1, %2%3%4)")
               .arg(left)
               .arg(top)
               .arg(width ? QStringLiteral(", %1").arg(*width) : QString())
               .arg(height ? QStringLiteral(", %1").arg(*height) : QString()));
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

void Surface::setVisible(bool visible)
{
    record(QStringLiteral("Visible = ") + boolText(visible));
    QWidget::setVisible(visible);
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
    const QSize client = clientRect().size();
    if (client == screen_.size())
        return;
    // A new size is an expose: the normal content is painted again. The persistent image keeps its drawing.
    screen_ = blankImage(client);
    paintNormal(screen_);
    if (autoRedraw_) {
        QImage persistent = blankImage(client);
        paintNormal(persistent);
        QPainter(&persistent).drawImage(0, 0, persistent_);
        persistent_ = persistent;
        screen_ = persistent_.copy();
    }
    updateShape();
}

// ---------------------------------------------------------------- notifications

void Surface::keyPressEvent(QKeyEvent* event)
{
    if (!handlers.KeyDown && !handlers.KeyPress) {
        QWidget::keyPressEvent(event);  // let the container see it
        return;
    }
    int16_t keyCode = keyCodeOf(event->key());
    int16_t shift = shiftOf(event->modifiers());
    if (handlers.KeyDown && keyCode != 0)
        handlers.KeyDown(keyCode, shift);
    lastKeyCode_ = keyCode;
    const QString text = event->text();
    if (!text.isEmpty() && text.at(0).unicode() > 0 && text.at(0).unicode() < 256) {
        int16_t keyAscii = static_cast<int16_t>(text.at(0).unicode());
        if (handlers.KeyPress)
            handlers.KeyPress(keyAscii);
        lastKeyAscii_ = keyAscii;
    }
}

void Surface::keyReleaseEvent(QKeyEvent* event)
{
    if (!handlers.KeyUp) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    int16_t keyCode = keyCodeOf(event->key());
    int16_t shift = shiftOf(event->modifiers());
    if (keyCode != 0)
        handlers.KeyUp(keyCode, shift);
    lastKeyCode_ = keyCode;
}

namespace {
template <typename Handler>
void raiseMouse(const Handler& handler, const Surface& surface, Qt::MouseButtons buttons, QMouseEvent* event,
                const QPoint& clientOrigin)
{
    if (!handler)
        return;
    int16_t button = buttonsOf(buttons);
    int16_t shift = shiftOf(event->modifiers());
    const QPointF pos = event->position() - QPointF(clientOrigin);
    float x = static_cast<float>(surface.fromPixelsX(pos.x()));
    float y = static_cast<float>(surface.fromPixelsY(pos.y()));
    handler(button, shift, x, y);
}
} // namespace

void Surface::mousePressEvent(QMouseEvent* event)
{
    doubleClicked_ = false;
    raiseMouse(handlers.MouseDown, *this, event->button(), event, clientRect().topLeft());
}

void Surface::mouseReleaseEvent(QMouseEvent* event)
{
    raiseMouse(handlers.MouseUp, *this, event->button(), event, clientRect().topLeft());
    // A click is a left press and release on the surface; the release after a double click is not one.
    if (event->button() == Qt::LeftButton && !doubleClicked_ && rect().contains(event->position().toPoint()) && handlers.Click)
        handlers.Click();
    doubleClicked_ = false;
}

void Surface::mouseDoubleClickEvent(QMouseEvent* event)
{
    doubleClicked_ = true;
    if (event->button() == Qt::LeftButton && handlers.DblClick)
        handlers.DblClick();
}

void Surface::mouseMoveEvent(QMouseEvent* event)
{
    raiseMouse(handlers.MouseMove, *this, event->buttons(), event, clientRect().topLeft());
}

} // namespace platform
