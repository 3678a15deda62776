// Surfaces: what raster copies on hDC show, Refresh / Cls / AutoRedraw, the transparent
// control over its container, scale units and geometry, and notifications by reference.
#include "Gdi.h"
#include "OleColor.h"
#include "ScreenMetrics.h"
#include "Surface.h"

#include <QTest>
#include <gtest/gtest.h>
#include <memory>

using namespace platform;

namespace {

constexpr uint32_t oleRed = 0x000000FF, oleBlue = 0x00FF0000, oleGreen = 0x0000FF00;
constexpr QRgb red = 0xFFFF0000, blue = 0xFF0000FF, green = 0xFF00FF00, white = 0xFFFFFFFF;

// A memory bitmap of one colour to copy from.
struct Brush {
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bitmap;
    HGDIOBJ old;
    Brush(int w, int h, QRgb colour)
    {
        QImage image(w, h, QImage::Format_RGB32);
        image.fill(colour);
        bitmap = gdi::createBitmapFromImage(image);
        old = SelectObject(dc, bitmap);
    }
    ~Brush()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

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

TEST_F(SurfaceTest, DrawingOnTheScreenImageIsShownAtOnceAndRefreshRemovesIt)
{
    EXPECT_EQ(form->size(), QSize(200, 100));
    int paints = 0;
    form->handlers.Paint = [&] { ++paints; };
    Brush brush(10, 10, blue);
    BitBlt(form->hDC(), 5, 5, 10, 10, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(form->screenImage().pixel(6, 6), blue);
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
}

TEST_F(SurfaceTest, AutoRedrawDrawsIntoThePersistentImageUntilRefresh)
{
    QImage art(4, 4, QImage::Format_RGB32);
    art.fill(green);
    form->setPicture(Picture::fromImage(art));
    form->setAutoRedraw(true);
    // The persistent image starts as the normal content: background and picture.
    EXPECT_EQ(form->persistentImage().pixel(1, 1), green);
    EXPECT_EQ(form->persistentImage().pixel(10, 10), red);

    Brush brush(10, 10, blue);
    BitBlt(form->hDC(), 20, 20, 10, 10, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(form->persistentImage().pixel(25, 25), blue);
    EXPECT_EQ(shown(25, 25), red);  // not presented yet
    form->Refresh();
    EXPECT_EQ(shown(25, 25), blue);
    form->Refresh();  // Refresh keeps persistent drawing
    EXPECT_EQ(shown(25, 25), blue);

    form->Cls();
    EXPECT_EQ(form->persistentImage().pixel(25, 25), red);
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
    QImage art(4, 2, QImage::Format_RGB32);
    art.fill(red);
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
    EXPECT_EQ(shown(13, 11), blue);
    EXPECT_FALSE(control->isInShape(QPoint(0, 0)));
    EXPECT_TRUE(control->isInShape(QPoint(1, 0)));

    // A raster copy onto the control's screen image lands only inside its visible shape.
    Brush brush(4, 2, white);
    BitBlt(control->hDC(), 0, 0, 4, 2, brush.dc, 0, 0, SRCCOPY);
    EXPECT_EQ(shown(11, 10), white);
    EXPECT_EQ(shown(10, 10), blue);

    // Solid: the whole rectangle, mask-colour pixels included.
    control->setBackStyle(1);
    control->Refresh();
    EXPECT_EQ(shown(10, 10), green);
    // Transparent without a mask picture shows nothing of the control.
    control->setBackStyle(0);
    control->setMaskPicture(Picture());
    EXPECT_EQ(shown(11, 10), blue);
}

TEST_F(SurfaceTest, GeometryIsSeenInTheContainersScaleUnits)
{
    auto* control = new Surface(form.get());
    form->setScaleMode(vbTwips);
    control->Move(240, 0, 8985, 1905);
    EXPECT_EQ(control->geometry(), QRect(16, 0, 599, 127));
    EXPECT_FLOAT_EQ(control->Width(), 8985);

    // A 599 x 127 picture's HIMETRIC size becomes its pixel size in any container unit.
    EXPECT_NEAR(form->ScaleX(15849, vbHimetric, vbPixels), 599, 0.05);
    EXPECT_NEAR(form->ScaleY(3360), 1905, 0.5);  // to the current unit, twips

    // Fractional pixels are kept; Qt gets them rounded half to even.
    form->setScaleMode(vbPixels);
    control->Move(219.75f, 10.5f, 100.5f, 20);
    EXPECT_EQ(control->geometry(), QRect(220, 10, 100, 20));
    EXPECT_DOUBLE_EQ(control->geometryPixels().x(), 219.75);
    EXPECT_FLOAT_EQ(control->Left(), 219.75f);
    EXPECT_FLOAT_EQ(control->Top(), 10.5f);

    // A user scale on the container: 200 px wide is 2010.0001 units.
    form->setScaleWidth(2010.0001f);
    EXPECT_EQ(form->ScaleMode(), vbUser);
    EXPECT_NEAR(control->Left(), 219.75 * 2010.0001 / 200, 0.01);
    EXPECT_FLOAT_EQ(form->ScaleHeight(), 100);  // kept from the pixel scale

    // The control's own scale: its client area, minus a fixed single border of 2 px each side.
    form->setScaleMode(vbPixels);
    control->setBorderStyle(1);
    control->setScaleMode(vbPixels);
    EXPECT_FLOAT_EQ(control->ScaleWidth(), 96);
    control->setScaleMode(vbTwips);
    EXPECT_FLOAT_EQ(control->ScaleHeight(), 16 * 15);
}

TEST_F(SurfaceTest, NotificationsPassTheirArgumentsByReference)
{
    auto* control = new Surface(form.get());
    control->setScaleMode(vbTwips);
    control->setGeometry(0, 0, 50, 50);
    control->show();
    QList<int> keys;
    control->handlers.KeyDown = [&](int16_t& code, int16_t& shift) { keys << code << shift; };
    control->handlers.KeyPress = [&](int16_t& ascii) {
        keys << ascii;
        ascii = 0;  // the host swallows the key
    };
    QTest::keyClick(control, Qt::Key_A);
    EXPECT_EQ(keys, (QList<int>{65, 0, 'a'}));
    EXPECT_EQ(control->lastKeyAscii(), 0);
    QTest::keyClick(control, Qt::Key_Escape);
    EXPECT_EQ(keys.mid(3), (QList<int>{27, 0, 27}));

    QStringList events;
    control->handlers.Click = [&] { events << "Click"; };
    control->handlers.DblClick = [&] { events << "DblClick"; };
    control->handlers.MouseDown = [&](int16_t& button, int16_t&, float& x, float& y) {
        events << QStringLiteral("Down %1 %2 %3").arg(button).arg(x).arg(y);
    };
    QTest::mouseClick(control, Qt::LeftButton, {}, QPoint(2, 3));
    QTest::mouseDClick(control, Qt::LeftButton, {}, QPoint(2, 3));
    // X and Y in the control's twips; the release that ends a double click is no Click.
    EXPECT_EQ(events, (QStringList{"Down 1 30 45", "Click", "DblClick"})) << events.join(", ").toStdString();
}

} // namespace
