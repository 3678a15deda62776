// A see-through form (the intro where the desktop blends windows): its clear colour is shown
// as transparency, and so is every pixel of it that a transition copies into the control, so
// the dissolve, the slide and the wipe reveal the desktop and never the form's colour.
#include "tests/transpik/TranspikFixture.h"

#include <QApplication>

namespace {

constexpr uint32_t clearColour = 0x00201010;  // as 0x00BBGGRR
constexpr QRgb clearPixel = 0xFF101020;

class SeeThrough : public TranspikTest {
protected:
    void SetUp() override
    {
        TranspikTest::SetUp();
        form = std::make_unique<platform::Surface>();
        form->setScaleMode(platform::vbPixels);
        form->makeSeeThrough(clearPixel);
        form->resize(320, 200);
        form->setBackColor(clearColour);
        form->show();
        QApplication::processEvents();
    }

    // What the window gives the compositor: its painting over a clear buffer, as in its
    // translucent backing store.
    QImage shown() const
    {
        QImage image(form->size(), QImage::Format_ARGB32);
        image.fill(Qt::transparent);
        form->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
        return image;
    }
    static int opaquePixels(const QImage& image, const QRect& area)
    {
        int count = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                count += qAlpha(image.pixel(x, y)) == 255 ? 1 : 0;
        return count;
    }
};

// The title's own pixels: those of the picture that are not the mask colour.
int titlePixels(const QImage& picture)
{
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            count += (picture.pixel(x, y) & 0xFFFFFF) != 0x00FF00 ? 1 : 0;
    return count;
}

CoordTable twoPoints(QPoint from, QPoint to)
{
    CoordTable coords(0, 2, 0, 2);
    coords(1, 1) = from.x();
    coords(1, 2) = from.y();
    coords(2, 1) = to.x();
    coords(2, 2) = to.y();
    return coords;
}

} // namespace

TEST_F(SeeThrough, DissolveSlideAndWipeRevealTransparencyNotTheFormsColour)
{
    FakeClock clock(0.001);
    const QImage picture = titleLikeImage(61, 31);
    makeControl(picture, 100, 40);
    const QRect window(0, 0, 320, 200);
    EXPECT_EQ(opaquePixels(shown(), window), titlePixels(picture)) << "the title alone on the form";

    control->Dissolve2(1, 4, 1);
    EXPECT_EQ(opaquePixels(shown(), window), titlePixels(picture)) << "after the dissolve: the title alone";

    control->Dissolve(0, 4, 0);
    EXPECT_EQ(opaquePixels(shown(), window), 0) << "after a dissolve out";

    control->Refresh();
    control->Tanimate(twoPoints({100, 40}, {150, 120}), 2, 0);
    // The slide ends with the control hidden at the last point; the form shows the last frame.
    EXPECT_EQ(opaquePixels(shown(), QRect(150, 120, 61, 31)), titlePixels(picture)) << "the slide's last frame";
    EXPECT_EQ(opaquePixels(shown(), QRect(100, 40, 50, 31)), 0) << "the slide's first place is left clear";

    control->extender().setVisible(true);
    control->Wipe(5, 0);
    EXPECT_EQ(opaquePixels(shown(), window), 0) << "after the wipe: no leftover shapes";
}
