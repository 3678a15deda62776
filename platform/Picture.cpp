#include "platform/Picture.h"

#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"

#include <QFileInfo>
#include <QImageReader>
#include <cmath>

namespace platform {

struct Picture::State {
    HBITMAP bitmap = 0;
    HPALETTE palette = 0;
    int32_t widthHimetric = 0;
    int32_t heightHimetric = 0;

    ~State()
    {
        // The picture owns both handles and frees them with its last reference.
        if (palette)
            DeleteObject(palette);
        if (bitmap)
            DeleteObject(bitmap);
    }
};

namespace {
constexpr double himetricPerInch = 2540.0;
}

int32_t Picture::pixelsToHimetricX(double pixels)
{
    return static_cast<int32_t>(std::lround(pixels * himetricPerInch * ScreenMetrics::twipsPerPixelX() / 1440.0));
}

int32_t Picture::pixelsToHimetricY(double pixels)
{
    return static_cast<int32_t>(std::lround(pixels * himetricPerInch * ScreenMetrics::twipsPerPixelY() / 1440.0));
}

Picture Picture::fromHandles(HBITMAP bitmap, HPALETTE palette)
{
    const QImage image = gdi::bitmapImage(bitmap);
    Picture picture;
    if (image.isNull())
        return picture;
    picture.state_ = std::make_shared<State>();
    picture.state_->bitmap = bitmap;
    picture.state_->palette = palette;
    // A capture of a scaled screen holds device pixels; its size is the screen's, in the game's pixels.
    picture.state_->widthHimetric = pixelsToHimetricX(picture.widthPixels());
    picture.state_->heightHimetric = pixelsToHimetricY(picture.heightPixels());
    return picture;
}

Picture Picture::fromImage(const QImage& image)
{
    HPALETTE palette = 0;
    if (image.format() == QImage::Format_Indexed8 && !image.colorTable().isEmpty()) {
        LOGPALETTE record;
        record.palVersion = 0x300;
        const auto table = image.colorTable();
        record.palNumEntries = static_cast<uint16_t>(std::min<qsizetype>(table.size(), 256));
        for (int i = 0; i < record.palNumEntries; ++i)
            record.palPalEntry[i] = PALETTEENTRY{static_cast<uint8_t>(qRed(table[i])), static_cast<uint8_t>(qGreen(table[i])),
                                                 static_cast<uint8_t>(qBlue(table[i])), 0};
        palette = CreatePalette(record);
    }
    return fromHandles(gdi::createBitmapFromImage(image), palette);
}

Picture Picture::load(const QString& path)
{
    QImageReader reader(path);
    const QImage image = reader.read();
    if (image.isNull()) {
        const bool missing = !QFileInfo::exists(path);
        throw RunTimeError::inFile(path, 0, missing ? QStringLiteral("File not found") : QStringLiteral("Invalid picture"));
    }
    return fromImage(image);
}

int32_t Picture::Width() const { return state_ ? state_->widthHimetric : 0; }
int32_t Picture::Height() const { return state_ ? state_->heightHimetric : 0; }
HBITMAP Picture::Handle() const { return state_ ? state_->bitmap : 0; }
HPALETTE Picture::hPal() const { return state_ ? state_->palette : 0; }
QImage Picture::image() const { return state_ ? gdi::bitmapImage(state_->bitmap) : QImage(); }
QList<uint32_t> Picture::palette() const { return state_ ? gdi::paletteEntries(state_->palette) : QList<uint32_t>(); }
int Picture::widthPixels() const { return qRound(image().deviceIndependentSize().width()); }
int Picture::heightPixels() const { return qRound(image().deviceIndependentSize().height()); }

} // namespace platform
