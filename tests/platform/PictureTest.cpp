// Picture objects: size in HIMETRIC, loading with and without palette, shared ownership.
#include "platform/Gdi.h"
#include "platform/Picture.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

class PictureObject : public ::testing::Test {
protected:
    void SetUp() override { ScreenMetrics::setOverride(ScreenInfo{1024, 768, 15, 15}); }
    void TearDown() override { ScreenMetrics::setOverride(std::nullopt); }
};

TEST_F(PictureObject, SizeIsInHimetricAtTheScreensResolution)
{
    const QImage art(599, 127, QImage::Format_RGB32);
    EXPECT_EQ(Picture::fromImage(art).Width(), 15849);
    EXPECT_EQ(Picture::fromImage(art).Height(), 3360);
    // Large fonts: 12 twips per pixel is 120 DPI.
    ScreenMetrics::setOverride(ScreenInfo{1024, 768, 12, 12});
    EXPECT_EQ(Picture::fromImage(art).Width(), 12679);
    EXPECT_EQ(Picture().Width(), 0);
}

TEST_F(PictureObject, LoadsBitmapsWithTheirPaletteAndPngsAndNamesTheFileOnFailure)
{
    TestFolder folder;
    QImage indexed(4, 2, QImage::Format_Indexed8);
    for (int i = 0; i < 256; ++i)
        indexed.setColor(i, qRgb(i, 255 - i, 7));
    indexed.fill(3);
    indexed.setPixel(1, 1, 200);
    ASSERT_TRUE(indexed.save(folder.file("art.bmp"), "BMP"));
    const Picture bmp = Picture::load(folder.file("art.bmp"));
    EXPECT_EQ(bmp.image().pixel(0, 0), qRgb(3, 252, 7));
    EXPECT_EQ(bmp.image().pixel(1, 1), qRgb(200, 55, 7));
    ASSERT_EQ(bmp.palette().size(), 256);
    EXPECT_EQ(bmp.palette()[200], qRgb(200, 55, 7));

    QImage png(3, 3, QImage::Format_ARGB32);
    png.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(png.save(folder.file("small.png"), "PNG"));
    const Picture pic = Picture::load(folder.file("small.png"));
    EXPECT_EQ(pic.image().pixel(2, 2), qRgb(1, 2, 3));
    EXPECT_EQ(pic.hPal(), 0u);

    folder.write("notapicture.bmp", "plain text");
    for (const QString name : {"missing.bmp", "notapicture.bmp"}) {
        try {
            Picture::load(folder.file(name));
            ADD_FAILURE() << "no error for " << name.toStdString();
        } catch (const RunTimeError& error) {
            EXPECT_TRUE(error.message().contains(name)) << error.message().toStdString();
        }
    }
}

TEST_F(PictureObject, LastReferenceFreesBitmapAndPalette)
{
    const int bitmaps = gdi::liveBitmaps(), palettes = gdi::livePalettes();
    QImage indexed(2, 2, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(9, 9, 9)});
    {
        Picture first = Picture::fromImage(indexed);
        const Picture second = first;
        first = Picture();
        EXPECT_TRUE(gdi::isValid(second.Handle()));
        EXPECT_EQ(gdi::livePalettes(), palettes + 1);
    }
    EXPECT_EQ(gdi::liveBitmaps(), bitmaps);
    EXPECT_EQ(gdi::livePalettes(), palettes);
    EXPECT_TRUE(Picture::fromHandles(0, 0).isEmpty());  // an invalid bitmap makes the empty picture
}

} // namespace
