// Picture objects: size in HIMETRIC, loading with and without palette, shared ownership.
#include "Gdi.h"
#include "Picture.h"
#include "RunTimeError.h"
#include "ScreenMetrics.h"
#include "support/TestFolder.h"

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
    QImage art(599, 127, QImage::Format_RGB32);
    art.fill(Qt::green);
    const Picture picture = Picture::fromImage(art);
    EXPECT_EQ(picture.Width(), 15849);
    EXPECT_EQ(picture.Height(), 3360);
    EXPECT_EQ(picture.widthPixels(), 599);
    // Large fonts: 12 twips per pixel is 120 DPI.
    ScreenMetrics::setOverride(ScreenInfo{1024, 768, 12, 12});
    EXPECT_EQ(Picture::fromImage(art).Width(), 12679);
    EXPECT_EQ(Picture().Width(), 0);
}

TEST_F(PictureObject, LoadsBitmapsWithTheirPaletteAndPngs)
{
    TestFolder folder;
    QImage indexed(4, 2, QImage::Format_Indexed8);
    QList<QRgb> table;
    for (int i = 0; i < 256; ++i)
        table.append(qRgb(i, 255 - i, 7));
    indexed.setColorTable(table);
    indexed.fill(3);
    indexed.setPixel(1, 1, 200);
    ASSERT_TRUE(indexed.save(folder.file("art.bmp"), "BMP"));
    const Picture bmp = Picture::load(folder.file("art.bmp"));
    ASSERT_FALSE(bmp.isEmpty());
    EXPECT_EQ(bmp.image().pixel(0, 0), qRgb(3, 252, 7));
    EXPECT_EQ(bmp.image().pixel(1, 1), qRgb(200, 55, 7));
    ASSERT_EQ(bmp.palette().size(), 256);
    EXPECT_EQ(bmp.palette()[200], qRgb(200, 55, 7));

    QImage png(3, 3, QImage::Format_ARGB32);
    png.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(png.save(folder.file("small.png"), "PNG"));
    const Picture pic = Picture::load(folder.file("small.png"));
    EXPECT_EQ(pic.image().pixel(2, 2), qRgb(1, 2, 3));
    EXPECT_TRUE(pic.palette().isEmpty());
    EXPECT_EQ(pic.hPal(), 0u);
}

TEST_F(PictureObject, LoadFailuresNameTheFile)
{
    TestFolder folder;
    folder.write("notapicture.bmp", "plain text");
    for (const QString& name : {QStringLiteral("missing.bmp"), QStringLiteral("notapicture.bmp")}) {
        try {
            Picture::load(folder.file(name));
            FAIL() << "no error for " << name.toStdString();
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
    indexed.fill(1);
    HBITMAP handle = 0;
    {
        Picture first = Picture::fromImage(indexed);
        handle = first.Handle();
        Picture second = first;
        EXPECT_EQ(first, second);
        EXPECT_EQ(second.useCount(), 2);
        first = Picture();
        EXPECT_TRUE(gdi::isValid(handle));
        EXPECT_EQ(gdi::livePalettes(), palettes + 1);
    }
    EXPECT_FALSE(gdi::isValid(handle));
    EXPECT_EQ(gdi::liveBitmaps(), bitmaps);
    EXPECT_EQ(gdi::livePalettes(), palettes);
    // An invalid bitmap makes the empty picture and takes nothing.
    EXPECT_TRUE(Picture::fromHandles(0, 0).isEmpty());
}

} // namespace
