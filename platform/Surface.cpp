#include "platform/Surface.h"

#include "platform/CallRecorder.h"
#include "platform/OleColor.h"

#include <QBitmap>
#include <QPainter>

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

// Whether the picture alone makes up the image: opaque, of the same size, kind of pixel and
// scale (a picture with see-through pixels shows the back colour through them).
bool coversImage(const Picture& picture, const QImage& image)
{
    if (!picture)
        return false;
    const QImage pixels = picture.image();
    return !pixels.hasAlphaChannel() && pixels.size() == image.size() && pixels.format() == image.format() &&
           qFuzzyCompare(pixels.devicePixelRatio(), image.devicePixelRatio());
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

// ---------------------------------------------------------------- content

void Surface::renderNormal(QImage& image)
{
    if (coversImage(picture_, image)) {
        // The picture is all the content: the image shares its pixels until it is drawn on.
        image = picture_.image();
        return;
    }
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
    CallRecorder::recordOf(hwnd_, [&] { return QStringLiteral("BackColor = 0x%1").arg(color, 8, 16, QLatin1Char('0')); });
    backColor_ = color;
    repaintContent();
}


void Surface::setPicture(const Picture& picture)
{
    CallRecorder::recordOf(hwnd_, [&] {
        return QStringLiteral("Picture = ") + (picture ? CallRecorder::handleName(picture.Handle()) : QStringLiteral("Nothing"));
    });
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
    CallRecorder::recordOf(hwnd_, [&] { return QStringLiteral("AutoRedraw = ") + boolText(on); });
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
    CallRecorder::recordOf(hwnd_, [&] { return QStringLiteral("Refresh"); });
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
    CallRecorder::recordOf(hwnd_, [&] { return QStringLiteral("Cls"); });
    repaintContent();
    setCurrentX(0);
    setCurrentY(0);
}

void Surface::setVisible(bool visible)
{
    CallRecorder::recordOf(hwnd_, [&] { return QStringLiteral("Visible = ") + boolText(visible); });
    QWidget::setVisible(visible);
}

void Surface::scaleModeSet(int16_t mode) const
{
    CallRecorder::recordOf(hwnd_, [&] { return QStringLiteral("ScaleMode = %1").arg(mode); });
}

void Surface::fitImagesToClient()
{
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

} // namespace platform
