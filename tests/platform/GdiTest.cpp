// Raster copies pixel by pixel: the four operations, both mask conversions, clipping at the
// edges, object selection and deletion rules, palettes and the call recorder.
#include "CallRecorder.h"
#include "Gdi.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr QRgb red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF, white = 0xFFFFFFFF, black = 0xFF000000;

// A memory DC with a colour bitmap of the given pixels selected; cleans up in the documented order.
struct MemoryBitmap {
    HDC dc = 0;
    HBITMAP bitmap = 0;
    HGDIOBJ previous = 0;

    explicit MemoryBitmap(const QImage& image)
    {
        dc = CreateCompatibleDC(0);
        bitmap = gdi::createBitmapFromImage(image);
        previous = SelectObject(dc, bitmap);
    }
    MemoryBitmap(HBITMAP existing)
    {
        dc = CreateCompatibleDC(0);
        bitmap = existing;
        previous = SelectObject(dc, bitmap);
    }
    ~MemoryBitmap()
    {
        SelectObject(dc, previous);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    QImage image() const { return gdi::bitmapImage(bitmap); }
    QRgb at(int x, int y) const { return image().pixel(x, y); }
    int bit(int x, int y) const { return image().constScanLine(y)[x] ? 1 : 0; }
};

QImage filled(int w, int h, QRgb color)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// 1-bit bitmap from rows of '0'/'1'.
HBITMAP monoFrom(const std::vector<std::string>& rows)
{
    const int w = static_cast<int>(rows[0].size()), h = static_cast<int>(rows.size());
    const int stride = ((w + 15) / 16) * 2;
    std::vector<uint8_t> bits(static_cast<size_t>(stride) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (rows[y][x] == '1')
                bits[y * stride + x / 8] |= 0x80 >> (x % 8);
    return CreateBitmap(w, h, 1, 1, bits.data());
}

class Gdi : public ::testing::Test {
protected:
    void SetUp() override
    {
        dcs_ = gdi::liveDCs();
        bitmaps_ = gdi::liveBitmaps();
        palettes_ = gdi::livePalettes();
    }
    void TearDown() override
    {
        gdi::clearDeviceCapsOverrides();
        CallRecorder::stop();
        // Every test gives back what it made.
        EXPECT_EQ(gdi::liveDCs(), dcs_);
        EXPECT_EQ(gdi::liveBitmaps(), bitmaps_);
        EXPECT_EQ(gdi::livePalettes(), palettes_);
    }
    int dcs_ = 0, bitmaps_ = 0, palettes_ = 0;
};

TEST_F(Gdi, ColourRasterOperationsPixelByPixel)
{
    QImage source(2, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, 0xFF00FFFF);  // cyan
    source.setPixel(1, 0, 0xFF123456);
    const QRgb destColour = 0xFFF0F00F;
    struct Case {
        uint32_t rop;
        QRgb expected0, expected1;
    } const cases[] = {
        {SRCCOPY, 0xFF00FFFF, 0xFF123456},
        {NOTSRCCOPY, 0xFFFF0000, 0xFFEDCBA9},
        {SRCAND, 0xFF00F00F, 0xFF103006},
        {SRCINVERT, 0xFFF00FF0, 0xFFE2C459},
    };
    for (const Case& c : cases) {
        MemoryBitmap from(source);
        MemoryBitmap to(filled(2, 1, destColour));
        ASSERT_TRUE(BitBlt(to.dc, 0, 0, 2, 1, from.dc, 0, 0, c.rop));
        EXPECT_EQ(to.at(0, 0), c.expected0) << std::hex << c.rop;
        EXPECT_EQ(to.at(1, 0), c.expected1) << std::hex << c.rop;
    }
}

TEST_F(Gdi, ColourToOneBitMarksTheSourceBackgroundColour)
{
    QImage source(3, 1, QImage::Format_RGB32);
    source.setPixel(0, 0, green);
    source.setPixel(1, 0, red);
    source.setPixel(2, 0, 0xFF00FE00);  // nearly green is not green
    MemoryBitmap from(source);
    MemoryBitmap mask(CreateBitmap(3, 1, 1, 1, nullptr));
    EXPECT_TRUE(gdi::isMonochrome(mask.bitmap));

    // The source DC's background colour decides; the destination's does not matter.
    SetBkColor(mask.dc, 0x000000FF);
    EXPECT_EQ(SetBkColor(from.dc, 0x0000FF00), 0x00FFFFFFu);
    BitBlt(mask.dc, 0, 0, 3, 1, from.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(mask.bit(0, 0), 1);
    EXPECT_EQ(mask.bit(1, 0), 0);
    EXPECT_EQ(mask.bit(2, 0), 0);

    // NOTSRCCOPY between two 1-bit bitmaps inverts: the opaque mask.
    MemoryBitmap opaque(CreateBitmap(3, 1, 1, 1, nullptr));
    BitBlt(opaque.dc, 0, 0, 3, 1, mask.dc, 0, 0, NOTSRCCOPY);
    EXPECT_EQ(opaque.bit(0, 0), 0);
    EXPECT_EQ(opaque.bit(1, 0), 1);
    EXPECT_EQ(opaque.bit(2, 0), 1);
}

TEST_F(Gdi, OneBitToColourGivesBackgroundForOneAndTextForZero)
{
    MemoryBitmap mask(monoFrom({"10"}));
    {
        MemoryBitmap to(filled(2, 1, blue));
        BitBlt(to.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCCOPY);
        EXPECT_EQ(to.at(0, 0), white);
        EXPECT_EQ(to.at(1, 0), black);
    }
    {
        // The masking idiom: AND keeps the destination where the mask is 1 and blackens it where 0.
        MemoryBitmap to(filled(2, 1, 0xFF336699));
        BitBlt(to.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCAND);
        EXPECT_EQ(to.at(0, 0), 0xFF336699u);
        EXPECT_EQ(to.at(1, 0), black);
    }
    {
        MemoryBitmap to(filled(2, 1, blue));
        SetBkColor(to.dc, 0x000000FF);    // red for 1
        SetTextColor(to.dc, 0x0000FF00);  // green for 0
        BitBlt(to.dc, 0, 0, 2, 1, mask.dc, 0, 0, SRCCOPY);
        EXPECT_EQ(to.at(0, 0), red);
        EXPECT_EQ(to.at(1, 0), green);
    }
}

TEST_F(Gdi, TransparentCompositionGivesPictureOrBackground)
{
    // The slide's frame: background AND transparent mask, picture AND opaque mask, XOR together.
    QImage picture(2, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, green);  // the mask colour
    picture.setPixel(1, 0, red);
    picture.setPixel(0, 1, 0xFF102030);
    picture.setPixel(1, 1, green);
    MemoryBitmap rendering(picture);
    MemoryBitmap background(filled(2, 2, 0xFF445566));
    MemoryBitmap transparent(CreateBitmap(2, 2, 1, 1, nullptr));
    MemoryBitmap opaque(CreateBitmap(2, 2, 1, 1, nullptr));
    MemoryBitmap frame(filled(2, 2, black));
    MemoryBitmap scratch(filled(2, 2, black));
    const COLORREF old = SetBkColor(rendering.dc, 0x0000FF00);
    BitBlt(transparent.dc, 0, 0, 2, 2, rendering.dc, 0, 0, SRCCOPY);
    SetBkColor(rendering.dc, old);
    BitBlt(opaque.dc, 0, 0, 2, 2, transparent.dc, 0, 0, NOTSRCCOPY);
    BitBlt(frame.dc, 0, 0, 2, 2, background.dc, 0, 0, SRCCOPY);
    BitBlt(frame.dc, 0, 0, 2, 2, transparent.dc, 0, 0, SRCAND);
    BitBlt(scratch.dc, 0, 0, 2, 2, rendering.dc, 0, 0, SRCCOPY);
    BitBlt(scratch.dc, 0, 0, 2, 2, opaque.dc, 0, 0, SRCAND);
    BitBlt(frame.dc, 0, 0, 2, 2, scratch.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(frame.at(0, 0), 0xFF445566u);
    EXPECT_EQ(frame.at(1, 0), red);
    EXPECT_EQ(frame.at(0, 1), 0xFF102030u);
    EXPECT_EQ(frame.at(1, 1), 0xFF445566u);
}

TEST_F(Gdi, CopiesAreClippedToBothSurfaces)
{
    QImage source(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, qRgb(x * 10, y * 10, 200));
    auto expectOnly = [](const MemoryBitmap& to, const QRect& copied, QPoint sourceOffset) {
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) {
                const QRgb expected = copied.contains(x, y)
                                          ? qRgb((x + sourceOffset.x()) * 10, (y + sourceOffset.y()) * 10, 200)
                                          : black;
                EXPECT_EQ(to.at(x, y), expected) << x << "," << y;
            }
    };
    MemoryBitmap from(source);
    {
        // Destination corner above-left of the bitmap: the part inside lands, shifted source.
        MemoryBitmap to(filled(4, 4, black));
        BitBlt(to.dc, -1, -2, 3, 4, from.dc, 0, 0, SRCCOPY);
        expectOnly(to, QRect(0, 0, 2, 2), QPoint(1, 2));
    }
    {
        // Past the right and bottom edges of the destination.
        MemoryBitmap to(filled(4, 4, black));
        BitBlt(to.dc, 2, 3, 10, 10, from.dc, 0, 0, SRCCOPY);
        expectOnly(to, QRect(2, 3, 2, 1), QPoint(-2, -3));
    }
    {
        // Source rectangle partly outside the source: only pixels that exist are copied.
        MemoryBitmap to(filled(4, 4, black));
        BitBlt(to.dc, 0, 0, 4, 4, from.dc, 3, -1, SRCCOPY);
        expectOnly(to, QRect(0, 1, 1, 3), QPoint(3, -1));
    }
    {
        // Entirely outside, and empty rectangles: nothing changes.
        MemoryBitmap to(filled(4, 4, black));
        EXPECT_TRUE(BitBlt(to.dc, 4, 0, 2, 2, from.dc, 0, 0, SRCCOPY));
        EXPECT_TRUE(BitBlt(to.dc, 0, 0, 0, 2, from.dc, 0, 0, SRCCOPY));
        EXPECT_TRUE(BitBlt(to.dc, 0, 0, 2, 2, from.dc, -5, 0, SRCCOPY));
        expectOnly(to, QRect(), QPoint());
    }
    {
        // Overlapping copy inside one bitmap moves the old pixels.
        MemoryBitmap same(source);
        BitBlt(same.dc, 1, 0, 3, 4, same.dc, 0, 0, SRCCOPY);
        for (int x = 1; x < 4; ++x)
            EXPECT_EQ(same.at(x, 2), qRgb((x - 1) * 10, 20, 200));
    }
}

TEST_F(Gdi, SelectionAndDeletionFollowTheWindowSystemRules)
{
    const HDC dc = CreateCompatibleDC(0);
    // A fresh memory DC holds a 1 x 1 monochrome bitmap, so bitmaps compatible with it are 1-bit.
    const HBITMAP mono = CreateCompatibleBitmap(dc, 5, 5);
    EXPECT_TRUE(gdi::isMonochrome(mono));
    const HBITMAP colour = gdi::createBitmapFromImage(filled(5, 5, red));
    const HGDIOBJ stock = SelectObject(dc, colour);
    EXPECT_NE(stock, 0u);
    EXPECT_EQ(gdi::bitmapImage(stock).size(), QSize(1, 1));
    const HBITMAP colourToo = CreateCompatibleBitmap(dc, 5, 5);
    EXPECT_FALSE(gdi::isMonochrome(colourToo));

    // One DC at a time, and no deleting while selected.
    const HDC other = CreateCompatibleDC(dc);
    EXPECT_EQ(SelectObject(other, colour), 0u);
    EXPECT_FALSE(DeleteObject(colour));
    EXPECT_EQ(SelectObject(dc, mono), colour);
    EXPECT_EQ(SelectObject(other, colour), stock);
    EXPECT_EQ(SelectObject(other, stock), colour);
    EXPECT_FALSE(DeleteObject(stock));

    // Deleting the DC leaves its bitmap alive and free.
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_FALSE(DeleteObject(mono));
    EXPECT_FALSE(gdi::isValid(mono));
    EXPECT_TRUE(DeleteObject(colour));
    EXPECT_TRUE(DeleteObject(colourToo));
    EXPECT_TRUE(DeleteDC(other));
    // Failed creations give 0 and copies with 0 do nothing.
    EXPECT_EQ(CreateBitmap(-1, 5, 1, 1, nullptr), 0u);
    EXPECT_FALSE(BitBlt(0, 0, 0, 1, 1, 0, 0, 0, SRCCOPY));
}

TEST_F(Gdi, PaletteDeviceSeamDrivesCapsAndSystemPalette)
{
    const HDC screen = GetDC(GetDesktopWindow());
    EXPECT_EQ(GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE, 0);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 0);
    std::array<PALETTEENTRY, 256> entries{};
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 256, entries.data()), 0u);

    gdi::setDeviceCapsOverride(RASTERCAPS, RC_PALETTE | 1);
    gdi::setDeviceCapsOverride(SIZEPALETTE, 256);
    EXPECT_EQ(GetDeviceCaps(screen, SIZEPALETTE), 256);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 256, entries.data()), 256u);
    EXPECT_EQ(entries[255].peRed, 255);  // the last static colour is white
    EXPECT_EQ(entries[0].peRed + entries[0].peGreen + entries[0].peBlue, 0);

    LOGPALETTE record;
    record.palVersion = 0x300;
    record.palNumEntries = 256;
    record.palPalEntry = entries;
    const HPALETTE palette = CreatePalette(record);
    ASSERT_NE(palette, 0u);
    EXPECT_EQ(gdi::paletteEntries(palette).size(), 256);
    const HDC memory = CreateCompatibleDC(screen);
    const HPALETTE old = SelectPalette(memory, palette, false);
    EXPECT_NE(old, 0u);
    EXPECT_EQ(RealizePalette(memory), 256u);
    EXPECT_FALSE(DeleteObject(palette));  // still selected
    EXPECT_EQ(SelectPalette(memory, old, false), palette);
    EXPECT_TRUE(DeleteObject(palette));
    DeleteDC(memory);
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), screen), 1);

    LOGPALETTE wrongVersion;
    wrongVersion.palNumEntries = 1;
    EXPECT_EQ(CreatePalette(wrongVersion), 0u);
}

TEST_F(Gdi, RecorderNamesHandlesByFirstAppearanceSoRunsCompare)
{
    auto run = [] {
        CallRecorder::start();
        const HDC dc = CreateCompatibleDC(0);
        const HBITMAP bitmap = CreateBitmap(3, 3, 1, 1, nullptr);
        const HGDIOBJ old = SelectObject(dc, bitmap);
        SetBkColor(dc, 0x0000FF00);
        BitBlt(dc, 0, 0, 3, 3, dc, 1, 1, NOTSRCCOPY);
        Sleep(0);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        CallRecorder::stop();
        return CallRecorder::calls();
    };
    const QStringList first = run();
    // Other handles in between make the raw values differ; the record does not.
    const HBITMAP spare = CreateBitmap(1, 1, 1, 1, nullptr);
    const QStringList second = run();
    DeleteObject(spare);
    EXPECT_EQ(first, second);
    const QStringList expected{
        "CreateCompatibleDC(0) -> dc1", "CreateBitmap(3, 3, 1, 1, 0) -> bm1", "SelectObject(dc1, bm1)",
        "SetBkColor(dc1, 0x0000FF00)",  "BitBlt(dc1, 0, 0, 3, 3, dc1, 1, 1, NOTSRCCOPY)", "Sleep(0)",
        "SelectObject(dc1, stockbitmap)", "DeleteObject(bm1)", "DeleteDC(dc1)"};
    EXPECT_EQ(first, expected) << first.join("\n").toStdString();
}

} // namespace
