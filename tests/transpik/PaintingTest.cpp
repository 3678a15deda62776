// Giving the control a picture and showing it: natural size on any container, pure-green
// pixels left out when transparent, an opaque rectangle when solid, and the persistent image.
#include "tests/transpik/TranspikFixture.h"

#include "platform/ScreenMetrics.h"

#include <QApplication>

using Painting = TranspikTest;

TEST_F(Painting, PictureTakesItsNaturalSizeWhateverTheContainersUnit)
{
    platform::ScreenMetrics::setOverride(platform::ScreenInfo{1024, 768, 15, 15});
    const auto title = platform::Picture::fromImage(titleLikeImage(599, 127));
    QStringList notices;
    // 15849 x 3360 HIMETRIC are 599.02 x 126.99 pixels, 8985 x 1905 twips.
    for (const auto& [unit, width, height] : {std::tuple{platform::vbPixels, 599, 127}, {platform::vbTwips, 8985, 1905}}) {
        form->setScaleMode(unit);
        transpik c(*form);
        c.PropertyChanged = [&](const QString& key) { notices << key; };
        c.setPicture(title);
        EXPECT_NEAR(c.extender().Width(), width, 1);
        EXPECT_NEAR(c.extender().Height(), height, 1);
        EXPECT_EQ(c.extender().geometry().size(), QSize(599, 127));
        // The same picture again sizes again; an empty one keeps the size.
        c.extender().Move(0, 0, 300, 300);
        c.setPicture(title);
        c.setPicture(platform::Picture());
        EXPECT_EQ(c.extender().geometry().size(), QSize(599, 127));
        EXPECT_TRUE(c.extender().MaskPicture().isEmpty());
    }
    EXPECT_EQ(notices, QStringList(6, QStringLiteral("Picture")));
    platform::ScreenMetrics::setOverride(std::nullopt);
}

TEST_F(Painting, PureGreenPixelsShowTheFormBehindUnlessSolid)
{
    const QImage art = titleLikeImage(60, 30);
    transpik& c = makeControl(art, 40, 50);
    const QImage shown = form->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < art.height(); ++y)
        for (int x = 0; x < art.width(); ++x)
            ASSERT_EQ(shown.pixel(40 + x, 50 + y),
                      art.pixel(x, y) == qRgb(0, 255, 0) ? backgroundPixel(40 + x, 50 + y) : art.pixel(x, y))
                << x << "," << y;
    c.setBackStyle(1);
    QApplication::processEvents();
    EXPECT_EQ(form->grab().toImage().convertToFormat(QImage::Format_RGB32).copy(40, 50, 60, 30), art);
}

TEST_F(Painting, PersistentImageHoldsBackColourWithThePictureOver)
{
    const QImage art = titleLikeImage(20, 10);
    transpik& c = makeControl(art, 0, 0);
    c.setBackColor(0x00FF0000);  // blue
    c.extender().Move(0, 0, 30, 12);  // larger than the picture
    c.setAutoRedraw(true);
    const QImage persistent = c.extender().persistentImage();
    ASSERT_EQ(persistent.size(), QSize(30, 12));
    EXPECT_EQ(persistent.copy(0, 0, 20, 10), art);  // green pixels included
    EXPECT_EQ(persistent.pixel(25, 11), qRgb(0, 0, 255));
    // hDC designates that image.
    using namespace platform;
    const HDC copyDC = CreateCompatibleDC(c.hDC());
    const HBITMAP copy = CreateCompatibleBitmap(c.hDC(), 30, 12);
    const HGDIOBJ replaced = SelectObject(copyDC, copy);
    BitBlt(copyDC, 0, 0, 30, 12, c.hDC(), 0, 0, SRCCOPY);
    EXPECT_EQ(gdi::bitmapImage(copy), persistent);
    SelectObject(copyDC, replaced);
    DeleteObject(copy);
    DeleteDC(copyDC);
}
