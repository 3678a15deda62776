// Raster copies pixel by pixel: the four operations, both mask conversions, clipping at the
// edges, object selection and deletion rules, palettes, and when calls are recorded.
#include "platform/CallRecorder.h"
#include "tests/platform/MemoryBitmap.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr QRgb red = 0xFFFF0000, green = 0xFF00FF00, blue = 0xFF0000FF, white = 0xFFFFFFFF, black = 0xFF000000;

HBITMAP mono(int w, int h) { return CreateBitmap(w, h, 1, 1, nullptr); }

class Gdi : public ::testing::Test {
protected:
    void TearDown() override
    {
        gdi::clearDeviceCapsOverrides();
        // Every test gives back what it made.
        EXPECT_EQ(gdi::liveDCs(), dcs_);
        EXPECT_EQ(gdi::liveBitmaps(), bitmaps_);
        EXPECT_EQ(gdi::livePalettes(), palettes_);
    }
    int dcs_ = gdi::liveDCs(), bitmaps_ = gdi::liveBitmaps(), palettes_ = gdi::livePalettes();
};

TEST_F(Gdi, ColourRasterOperationsPixelByPixel)
{
    const struct {
        uint32_t rop;
        QRgb expected0, expected1;
    } cases[] = {
        {SRCCOPY, 0xFF00FFFF, 0xFF123456},
        {NOTSRCCOPY, 0xFFFF0000, 0xFFEDCBA9},
        {SRCAND, 0xFF00F00F, 0xFF103006},
        {SRCINVERT, 0xFFF00FF0, 0xFFE2C459},
    };
    for (const auto& c : cases) {
        MemoryBitmap from(pixels(2, 1, {0xFF00FFFF, 0xFF123456}));
        MemoryBitmap to(pixels(2, 1, {0xFFF0F00F}));
        ASSERT_TRUE(BitBlt(to.dc, 0, 0, 2, 1, from.dc, 0, 0, c.rop));
        EXPECT_EQ(to.at(0, 0), c.expected0) << std::hex << c.rop;
        EXPECT_EQ(to.at(1, 0), c.expected1) << std::hex << c.rop;
    }
}

TEST_F(Gdi, MaskConversionsAndTheTransparentComposition)
{
    // The mask colour, red, and nearly green, which is not the mask colour.
    MemoryBitmap rendering(pixels(3, 1, {green, red, 0xFF00FE00}));
    MemoryBitmap transparent(mono(3, 1)), opaque(mono(3, 1));
    EXPECT_TRUE(gdi::isMonochrome(transparent.bitmap));
    // Colour to 1-bit marks the source DC's background colour; the destination's does not matter.
    SetBkColor(transparent.dc, 0x000000FF);
    EXPECT_EQ(SetBkColor(rendering.dc, 0x0000FF00), 0x00FFFFFFu);
    BitBlt(transparent.dc, 0, 0, 3, 1, rendering.dc, 0, 0, SRCCOPY);
    // NOTSRCCOPY between two 1-bit bitmaps inverts: the opaque mask.
    BitBlt(opaque.dc, 0, 0, 3, 1, transparent.dc, 0, 0, NOTSRCCOPY);
    for (int x = 0; x < 3; ++x) {
        EXPECT_EQ(transparent.bit(x, 0), x == 0 ? 1 : 0) << x;
        EXPECT_EQ(opaque.bit(x, 0), x == 0 ? 0 : 1) << x;
    }

    // 1-bit to colour: 1 gives the destination's background colour, 0 its text colour.
    const uint8_t rows[] = {0x80, 0};
    MemoryBitmap given(CreateBitmap(2, 1, 1, 1, rows));
    MemoryBitmap to(pixels(2, 1, {blue}));
    BitBlt(to.dc, 0, 0, 2, 1, given.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(to.at(0, 0), white);
    EXPECT_EQ(to.at(1, 0), black);
    SetBkColor(to.dc, 0x000000FF);
    SetTextColor(to.dc, 0x0000FF00);
    BitBlt(to.dc, 0, 0, 2, 1, given.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(to.at(0, 0), red);
    EXPECT_EQ(to.at(1, 0), green);

    // The slide's frame: background AND transparent mask, picture AND opaque mask, XOR together.
    MemoryBitmap frame(pixels(3, 1, {0xFF445566})), scratch(pixels(3, 1, {black}));
    BitBlt(frame.dc, 0, 0, 3, 1, transparent.dc, 0, 0, SRCAND);
    BitBlt(scratch.dc, 0, 0, 3, 1, rendering.dc, 0, 0, SRCCOPY);
    BitBlt(scratch.dc, 0, 0, 3, 1, opaque.dc, 0, 0, SRCAND);
    BitBlt(frame.dc, 0, 0, 3, 1, scratch.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(frame.at(0, 0), 0xFF445566u);
    EXPECT_EQ(frame.at(1, 0), red);
    EXPECT_EQ(frame.at(2, 0), 0xFF00FE00u);
}

TEST_F(Gdi, CopiesAreClippedToBothSurfaces)
{
    QImage source(4, 4, QImage::Format_RGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            source.setPixel(x, y, qRgb(x * 10, y * 10, 200));
    MemoryBitmap from(source);
    const struct {
        int x, y, w, h, sx, sy;
        QRect copied;  // in the destination; empty: nothing changes
    } cases[] = {
        {-1, -2, 3, 4, 0, 0, QRect(0, 0, 2, 2)},  // above-left of the destination
        {2, 3, 10, 10, 0, 0, QRect(2, 3, 2, 1)},  // past its right and bottom edges
        {0, 0, 4, 4, 3, -1, QRect(0, 1, 1, 3)},   // source rectangle partly outside the source
        {4, 0, 2, 2, 0, 0, QRect()},
        {0, 0, 0, 2, 0, 0, QRect()},
        {0, 0, 2, 2, -5, 0, QRect()},
    };
    for (const auto& c : cases) {
        MemoryBitmap to(pixels(4, 4, {black}));
        EXPECT_TRUE(BitBlt(to.dc, c.x, c.y, c.w, c.h, from.dc, c.sx, c.sy, SRCCOPY));
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(to.at(x, y), c.copied.contains(x, y)
                                           ? qRgb((x - c.x + c.sx) * 10, (y - c.y + c.sy) * 10, 200)
                                           : black)
                    << c.x << "," << c.y << " at " << x << "," << y;
    }
    // Overlapping copy inside one bitmap moves the old pixels.
    MemoryBitmap same(source);
    BitBlt(same.dc, 1, 0, 3, 4, same.dc, 0, 0, SRCCOPY);
    for (int x = 1; x < 4; ++x)
        EXPECT_EQ(same.at(x, 2), qRgb((x - 1) * 10, 20, 200));
}

TEST_F(Gdi, AWholeCopyStaysApartFromItsSourceWhenEitherIsDrawnOn)
{
    // A copy of a whole bitmap onto a whole bitmap of its size shares the pixels at first.
    MemoryBitmap from(pixels(2, 2, {red, green, blue, white}));
    MemoryBitmap to(pixels(2, 2, {black}));
    MemoryBitmap paint(pixels(1, 1, {blue}));
    ASSERT_TRUE(BitBlt(to.dc, 0, 0, 2, 2, from.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(to.at(1, 0), green);

    BitBlt(from.dc, 1, 0, 1, 1, paint.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(from.at(1, 0), blue);
    EXPECT_EQ(to.at(1, 0), green);

    BitBlt(to.dc, 0, 0, 1, 1, paint.dc, 0, 0, SRCINVERT);
    EXPECT_EQ(to.at(0, 0), 0xFFFF00FFu);
    EXPECT_EQ(from.at(0, 0), red);
}

TEST_F(Gdi, ANewCompatibleBitmapIsBlackWhereverItIsFirstUsed)
{
    MemoryBitmap colourDc(pixels(1, 1, {red}));
    const auto compatible = [&](HDC dc) { return CreateCompatibleBitmap(dc, 3, 2); };
    // Read as it is, drawn on in part, copied from, and copied over whole.
    MemoryBitmap read(compatible(colourDc.dc));
    EXPECT_EQ(read.at(2, 1), black);
    MemoryBitmap drawn(compatible(colourDc.dc));
    ASSERT_TRUE(BitBlt(drawn.dc, 0, 0, 1, 1, colourDc.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(drawn.at(0, 0), red);
    EXPECT_EQ(drawn.at(1, 0), black);
    MemoryBitmap to(pixels(3, 2, {white}));
    MemoryBitmap source(compatible(colourDc.dc));
    ASSERT_TRUE(BitBlt(to.dc, 1, 0, 2, 2, source.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(to.at(0, 0), white);
    EXPECT_EQ(to.at(2, 1), black);
    MemoryBitmap whole(compatible(colourDc.dc));
    ASSERT_TRUE(BitBlt(whole.dc, 0, 0, 3, 2, to.dc, 0, 0, SRCCOPY));
    EXPECT_EQ(whole.at(0, 0), white);
    EXPECT_EQ(whole.at(2, 1), black);
    // A 1-bit one holds 0 bits.
    const HDC fresh = CreateCompatibleDC(0);
    MemoryBitmap bits(CreateCompatibleBitmap(fresh, 3, 2));
    DeleteDC(fresh);
    EXPECT_EQ(bits.bit(2, 1), 0);
}

TEST_F(Gdi, SelectionAndDeletionFollowTheWindowSystemRules)
{
    const HDC dc = CreateCompatibleDC(0), other = CreateCompatibleDC(0);
    // A fresh memory DC holds a 1 x 1 monochrome bitmap, so bitmaps compatible with it are 1-bit.
    const HBITMAP mono = CreateCompatibleBitmap(dc, 5, 5);
    EXPECT_TRUE(gdi::isMonochrome(mono));
    const HBITMAP colour = gdi::createBitmapFromImage(pixels(5, 5, {red}));
    const HGDIOBJ stock = SelectObject(dc, colour);
    EXPECT_EQ(gdi::bitmapImage(stock).size(), QSize(1, 1));
    // One DC at a time, and no deleting while selected.
    EXPECT_EQ(SelectObject(other, colour), 0u);
    EXPECT_FALSE(DeleteObject(colour));
    EXPECT_EQ(SelectObject(dc, mono), colour);
    EXPECT_EQ(SelectObject(other, colour), stock);
    EXPECT_FALSE(DeleteObject(stock));
    // Deleting the DC leaves its bitmap alive and free.
    EXPECT_TRUE(DeleteDC(dc));
    EXPECT_FALSE(DeleteDC(dc));
    EXPECT_TRUE(DeleteObject(mono));
    EXPECT_FALSE(gdi::isValid(mono));
    SelectObject(other, stock);
    EXPECT_TRUE(DeleteObject(colour) && DeleteDC(other));
    // Failed creations give 0 and copies with 0 do nothing.
    EXPECT_EQ(CreateBitmap(-1, 5, 1, 1, nullptr), 0u);
    EXPECT_FALSE(BitBlt(0, 0, 0, 1, 1, 0, 0, 0, SRCCOPY));
}

TEST_F(Gdi, PaletteDeviceSeamDrivesCapsAndSystemPalette)
{
    const HDC screen = GetDC(GetDesktopWindow());
    LOGPALETTE record{0x300, 256, {}};
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 256, record.palPalEntry.data()), 0u);  // true colour
    gdi::setDeviceCapsOverride(RASTERCAPS, RC_PALETTE | 1);
    gdi::setDeviceCapsOverride(SIZEPALETTE, 256);
    EXPECT_EQ(GetSystemPaletteEntries(screen, 0, 256, record.palPalEntry.data()), 256u);
    EXPECT_EQ(record.palPalEntry[255].peRed, 255);  // the last static colour is white
    const HPALETTE palette = CreatePalette(record);
    const HDC memory = CreateCompatibleDC(screen);
    const HPALETTE old = SelectPalette(memory, palette, false);
    EXPECT_EQ(RealizePalette(memory), 256u);
    EXPECT_FALSE(DeleteObject(palette));  // still selected
    EXPECT_EQ(SelectPalette(memory, old, false), palette);
    EXPECT_TRUE(DeleteObject(palette) && DeleteDC(memory));
    EXPECT_EQ(ReleaseDC(GetDesktopWindow(), screen), 1);
    EXPECT_EQ(CreatePalette(LOGPALETTE{0x200, 1, {}}), 0u);  // wrong version
}

} // namespace

// The drawing calls are written down only while a recorder is attached: before, after and
// between recorders nothing is formatted or kept, and the record of one run of calls is the
// same text whichever recorder takes it.
TEST_F(Gdi, CallsAreRecordedOnlyWhileARecorderIsAttached)
{
    const auto copyOnce = [] {
        MemoryBitmap from(pixels(2, 1, {red, blue}));
        MemoryBitmap to(pixels(2, 1, {green}));
        BitBlt(to.dc, 0, 0, 2, 1, from.dc, 0, 0, SRCINVERT);
    };
    int formatted = 0;
    const auto entry = [&formatted] { return QString::number(++formatted); };

    EXPECT_FALSE(CallRecorder::attached());
    CallRecorder::record(entry);
    copyOnce();
    EXPECT_EQ(formatted, 0);

    CallRecorder first;
    copyOnce();
    CallRecorder::record(entry);
    first.detach();
    copyOnce();
    CallRecorder::record(entry);
    EXPECT_FALSE(CallRecorder::attached());
    EXPECT_EQ(formatted, 1);
    const QStringList expected{
        "CreateCompatibleDC(0) -> dc1", "SelectObject(dc1, bm1)", "CreateCompatibleDC(0) -> dc2",
        "SelectObject(dc2, bm2)", "BitBlt(dc2, 0, 0, 2, 1, dc1, 0, 0, SRCINVERT)", "SelectObject(dc2, stockbitmap)",
        "DeleteObject(bm2)", "DeleteDC(dc2)", "SelectObject(dc1, stockbitmap)", "DeleteObject(bm1)", "DeleteDC(dc1)", "1"};
    EXPECT_EQ(first.calls(), expected) << first.calls().join("\n").toStdString();

    CallRecorder second;
    copyOnce();
    EXPECT_EQ(second.calls(), expected.mid(0, expected.size() - 1));
}
