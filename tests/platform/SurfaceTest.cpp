// Surfaces: what raster copies on hDC show, Refresh / Cls / AutoRedraw, the transparent
// control over its container, scale units and geometry, and notifications by reference.
#include "core/RunTimeError.h"
#include "tests/platform/MemoryBitmap.h"
#include "platform/OleColor.h"
#include "platform/ScreenMetrics.h"
#include "platform/Surface.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

constexpr uint32_t oleRed = 0x000000FF, oleBlue = 0x00FF0000, oleGreen = 0x0000FF00;
constexpr QRgb red = 0xFFFF0000, blue = 0xFF0000FF, green = 0xFF00FF00, white = 0xFFFFFFFF;

class SurfaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScreenMetrics::setOverride(ScreenInfo{1024, 768, 15, 15});
        form = std::make_unique<Surface>();
        form->setScaleMode(vbPixels);
        form->Move(0, 0, 200 * 15, 100 * 15);
        form->setBackColor(oleRed);
        form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    }
    void TearDown() override
    {
        form.reset();
        ScreenMetrics::setOverride(std::nullopt);
    }
    QRgb shown(int x, int y) { return form->grab().toImage().pixel(x, y); }

    std::unique_ptr<Surface> form;
};

TEST_F(SurfaceTest, HdcDrawsOnTheScreenAtOnceOrIntoThePersistentImage)
{
    int paints = 0;
    form->handlers.Paint = [&] { ++paints; };
    MemoryBitmap brush(pixels(10, 10, {blue}));
    BitBlt(form->hDC(), 5, 5, 10, 10, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(shown(6, 6), blue);
    EXPECT_EQ(shown(15, 15), red);
    form->Refresh();
    EXPECT_EQ(shown(6, 6), red);
    EXPECT_EQ(paints, 1);
    // The window's own DC is the same screen image.
    const HDC windowDc = GetDC(form->hwnd());
    BitBlt(windowDc, 0, 0, 3, 3, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(shown(1, 1), blue);
    EXPECT_EQ(ReleaseDC(form->hwnd(), windowDc), 1);
    form->Cls();
    EXPECT_EQ(shown(1, 1), red);

    // AutoRedraw: the persistent image starts as background and picture, and is shown at Refresh.
    form->setPicture(Picture::fromImage(pixels(4, 4, {green})));
    form->setAutoRedraw(true);
    EXPECT_EQ(form->persistentImage().pixel(1, 1), green);
    BitBlt(form->hDC(), 20, 20, 10, 10, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(form->persistentImage().pixel(25, 25), blue);
    EXPECT_EQ(shown(25, 25), red);  // not presented yet
    form->Refresh();
    form->Refresh();  // Refresh keeps persistent drawing
    EXPECT_EQ(shown(25, 25), blue);
    form->Cls();
    EXPECT_EQ(shown(25, 25), red);
    EXPECT_EQ(shown(1, 1), green);
    // Off again: hDC is the screen image once more.
    form->setAutoRedraw(false);
    EXPECT_TRUE(form->persistentImage().isNull());
    BitBlt(form->hDC(), 20, 20, 10, 10, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(shown(25, 25), blue);
}

TEST_F(SurfaceTest, TransparentControlShowsItsContainerThroughTheMaskColour)
{
    form->setBackColor(oleBlue);
    QImage art = pixels(4, 2, {red});
    art.setPixel(0, 0, green);
    art.setPixel(3, 1, green);
    const Picture picture = Picture::fromImage(art);
    auto* control = new Surface(form.get());
    control->setBackStyle(0);
    control->setMaskColor(oleGreen);
    control->setScaleMode(vbPixels);
    control->Move(10, 10, 4, 2);
    control->setPicture(picture);
    control->setMaskPicture(picture);
    control->show();

    EXPECT_EQ(shown(10, 10), blue);  // mask colour: the container shows
    EXPECT_EQ(shown(11, 10), red);
    EXPECT_FALSE(control->isInShape(QPoint(0, 0)));

    // A raster copy onto the control's screen image lands only inside its visible shape.
    MemoryBitmap brush(pixels(4, 2, {white}));
    BitBlt(control->hDC(), 0, 0, 4, 2, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(shown(11, 10), white);
    EXPECT_EQ(shown(10, 10), blue);

    // Solid: the whole rectangle, mask-colour pixels included.
    control->setBackStyle(1);
    control->Refresh();
    EXPECT_EQ(shown(10, 10), green);
}

TEST_F(SurfaceTest, GeometryIsSeenInTheContainersScaleUnits)
{
    auto* control = new Surface(form.get());
    form->setScaleMode(vbTwips);
    control->Move(240, 0, 8985, 1905);
    EXPECT_EQ(control->geometry(), QRect(16, 0, 599, 127));
    // A 599 x 127 picture's HIMETRIC size becomes its pixel size in any container unit.
    EXPECT_NEAR(form->ScaleX(15849, vbHimetric, vbPixels), 599, 0.05);
    EXPECT_NEAR(form->ScaleY(3360), 1905, 0.5);  // to the current unit, twips
    // A character cell is 120 twips wide and 240 twips high.
    EXPECT_NEAR(form->ScaleX(1, vbCharacters, vbTwips), 120, 1e-9);
    EXPECT_NEAR(form->ScaleY(1, vbCharacters, vbTwips), 240, 1e-9);

    // Fractional pixels are kept; Qt gets them rounded half to even.
    form->setScaleMode(vbPixels);
    control->Move(219.75f, 10.5f, 100.5f, 20);
    EXPECT_EQ(control->geometry(), QRect(220, 10, 100, 20));
    EXPECT_FLOAT_EQ(control->Left(), 219.75f);
    // A user scale on the container: 200 px wide is 2010.0001 units.
    form->setScaleWidth(2010.0001f);
    EXPECT_EQ(form->ScaleMode(), vbUser);
    EXPECT_NEAR(control->Left(), 219.75 * 2010.0001 / 200, 0.01);
    EXPECT_FLOAT_EQ(form->ScaleHeight(), 100);  // kept from the pixel scale
    // The control's own scale: its client area, minus a fixed single border of 2 px each side.
    control->setBorderStyle(1);
    control->setScaleMode(vbTwips);
    EXPECT_FLOAT_EQ(control->ScaleHeight(), 16 * 15);
}

// An unknown scale mode or an empty user scale is an error that names the scale, and the
// scale stays as it was.
TEST_F(SurfaceTest, AnInvalidScaleIsAnErrorThatSaysWhatFailed)
{
    const std::function<void()> wrongs[] = {
        [&] { form->setScaleMode(9); },
        [&] { form->setScaleWidth(0); },
        [&] { form->ScaleX(1, 42); },
    };
    for (const auto& wrong : wrongs) {
        try {
            wrong();
            ADD_FAILURE() << "no error";
        } catch (const RunTimeError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("The scale of a window or control: Invalid property value"));
        }
        EXPECT_EQ(form->ScaleMode(), vbPixels);
    }
}

TEST_F(SurfaceTest, NotificationsPassTheirArgumentsByReference)
{
    auto* control = new Surface(form.get());
    control->setScaleMode(vbTwips);
    control->setGeometry(0, 0, 50, 50);
    control->show();
    QStringList events;
    control->handlers.KeyDown = [&](int16_t& code, int16_t& shift) { events << QStringLiteral("Key %1 %2").arg(code).arg(shift); };
    control->handlers.KeyPress = [&](int16_t& ascii) {
        events << QString::number(ascii);
        ascii = 0;  // the host swallows the key
    };
    control->handlers.Click = [&] { events << "Click"; };
    control->handlers.DblClick = [&] { events << "DblClick"; };
    control->handlers.MouseDown = [&](int16_t& button, int16_t&, float& x, float& y) {
        events << QStringLiteral("Down %1 %2 %3").arg(button).arg(x).arg(y);
    };
    QTest::keyClick(control, Qt::Key_A);
    EXPECT_EQ(control->lastKeyAscii(), 0);
    QTest::keyClick(control, Qt::Key_Escape);
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 3));
    QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(2, 3));
    // X and Y in the control's twips; the release that ends a double click is no Click.
    EXPECT_EQ(events, (QStringList{"Key 65 0", "97", "Key 27 0", "27", "Down 1 30 45", "Click", "DblClick"}))
        << events.join(", ").toStdString();
}

} // namespace
