// Which desktop captures the intro shows: anything that is not black all over, a plain wallpaper
// of one colour included; not the empty picture, and not the black screen Xwayland hands an
// application.
#include "startup/UsableCapture.h"

#include <QImage>
#include <functional>
#include <gtest/gtest.h>

using platform::Picture;

namespace {

QImage filled(QSize size, QRgb colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage withPixel(QImage image, QPoint at, QRgb colour)
{
    image.setPixel(at, colour);
    return image;
}

TEST(UsableCapture, AnythingButNoPictureOrAllBlackCounts)
{
    const QSize screen(1024, 768);
    const struct {
        const char* what;
        std::function<Picture()> capture;
        bool usable;
    } cases[] = {
        {"no picture", [] { return Picture(); }, false},
        {"all black", [&] { return Picture::fromImage(filled(screen, 0xFF000000)); }, false},
        {"a single black pixel", [] { return Picture::fromImage(filled({1, 1}, 0xFF000000)); }, false},
        {"a plain teal wallpaper", [&] { return Picture::fromImage(filled(screen, 0xFF336699)); }, true},
        {"all white", [&] { return Picture::fromImage(filled(screen, 0xFFFFFFFF)); }, true},
        {"black with the last pixel grey",
         [&] { return Picture::fromImage(withPixel(filled(screen, 0xFF000000), {1023, 767}, 0xFF010101)); }, true},
        {"black with the first pixel blue",
         [&] { return Picture::fromImage(withPixel(filled(screen, 0xFF000000), {0, 0}, 0xFF000001)); }, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(isUsableCapture(c.capture()), c.usable) << c.what;
}

} // namespace
