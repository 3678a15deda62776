// On a real X server: the title dissolves in, slides and is wiped away over a picture, and a
// grab of the screen in the middle of each transition sees it. With QUORVEL_SCREENSHOTS set
// to a folder, the three grabs are saved there (transpik-dissolve.png, -slide.png, -wipe.png).
#include "platform/Clock.h"
#include "transpik/PropertyBag.h"
#include "platform/Surface.h"
#include "transpik/transpik.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

QImage grabScreen()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// A clock that grabs the screen once: in its `pause`-th pause (after that frame or step was
// shown), or at its first reading `at` seconds on. Each reading moves it `tick` seconds, as on
// a machine that draws the blocks of a dissolve slowly; the pauses really wait.
class GrabbingClock : public platform::Clock::Source {
public:
    GrabbingClock(const char* name, int pause, double at = 0, double tick = 0.0001)
        : name_(name), pause_(pause), at_(at), tick_(tick)
    {
        platform::Clock::setSource(this);
    }
    ~GrabbingClock() override
    {
        platform::Clock::setSource(nullptr);
        const QString folder = qEnvironmentVariable("QUORVEL_SCREENSHOTS");
        if (!folder.isEmpty() && !grabbed.isNull())
            grabbed.save(QDir(folder).filePath(QString::fromLatin1(name_)));
    }
    double now() override
    {
        if ((time_ += tick_) >= at_ && at_ > 0 && grabbed.isNull())
            grabbed = grabScreen();
        return time_;
    }
    void sleep(int64_t milliseconds) override
    {
        if (++pauses_ == pause_ && grabbed.isNull())
            grabbed = grabScreen();
        QThread::msleep(static_cast<unsigned long>(milliseconds));
        time_ += milliseconds / 1000.0;
    }
    QImage grabbed;

private:
    const char* name_;
    int pause_, pauses_ = 0;
    double at_, tick_, time_ = 0;
};

// How many pixels of the title's opaque part, placed at `at`, the grab shows as the title and
// how many as the scenery.
struct Coverage {
    int title = 0, scenery = 0, opaque = 0;
};

Coverage coverage(const QImage& grab, const QImage& art, const QImage& background, const QPoint& at)
{
    Coverage c;
    for (int y = 0; y < art.height(); ++y) {
        for (int x = 0; x < art.width(); ++x) {
            if (art.pixel(x, y) == qRgb(0, 255, 0))
                continue;
            ++c.opaque;
            c.title += grab.pixel(at.x() + x, at.y() + y) == art.pixel(x, y);
            c.scenery += grab.pixel(at.x() + x, at.y() + y) == background.pixel(at.x() + x, at.y() + y);
        }
    }
    return c;
}

} // namespace

TEST(TitleOnScreen, DissolvesInSlidesAndIsWipedAway)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    platform::Surface form;
    form.setWindowFlag(Qt::FramelessWindowHint);
    form.setScaleMode(platform::vbPixels);
    form.setGeometry(QRect(QPoint(0, 0), screen));
    // A desktop-like picture: a sky gradient with a few coloured tiles.
    QImage background(screen, QImage::Format_RGB32);
    {
        QPainter painter(&background);
        QLinearGradient sky(0, 0, 0, screen.height());
        sky.setColorAt(0, QColor(40, 70, 140));
        sky.setColorAt(1, QColor(200, 120, 60));
        painter.fillRect(background.rect(), sky);
        for (int i = 0; i < 12; ++i)
            painter.fillRect(60 + i * 80, 300 + (i % 3) * 90, 64, 64, QColor::fromHsv(i * 30, 160, 220));
    }
    form.setPicture(platform::Picture::fromImage(background));
    transpik Pic1(form);
    Pic1.UserControl_ReadProperties(PropertyBag::load(QStringLiteral(":/designs/Pic1.txt")));
    const QImage art = Pic1.Picture().image().convertToFormat(QImage::Format_RGB32);
    const QPoint top((screen.width() - 599) / 2, 25);
    Pic1.extender().Move(float(top.x()), float(top.y()));
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form, 10000));
    QApplication::processEvents();

    {
        // This machine completes the dissolve within the first displayed frame; a slower one,
        // drawing 16 blocks a millisecond, shows it a third of the way through.
        GrabbingClock clock("transpik-dissolve.png", 0, 0.35, 0.001);
        Pic1.Dissolve2(1, 3, 1);
        ASSERT_FALSE(clock.grabbed.isNull());
        const Coverage c = coverage(clock.grabbed, art, background, top);
        EXPECT_GT(c.title, c.opaque / 10);
        EXPECT_GT(c.scenery, c.opaque / 10);
        EXPECT_EQ(c.title + c.scenery, c.opaque);
        EXPECT_EQ(coverage(grabScreen(), art, background, top).title, c.opaque);
    }

    const int points = 300;
    CoordTable path(0, points, 0, 2);
    for (int i = 1; i <= points; ++i) {
        path(i, 1) = top.x();
        path(i, 2) = top.y() + i - 1;
    }
    const QPoint last(top.x(), top.y() + points - 1);
    {
        // In the 150th pause the title shows whole at point 150, and nothing of it above.
        GrabbingClock clock("transpik-slide.png", 150);
        Pic1.Tanimate2(path, points, 4, 30);
        ASSERT_FALSE(clock.grabbed.isNull());
        const Coverage c = coverage(clock.grabbed, art, background, top + QPoint(0, 149));
        EXPECT_EQ(c.title, c.opaque);
        EXPECT_EQ(clock.grabbed.copy(top.x(), 0, 599, top.y() + 149), background.copy(top.x(), 0, 599, top.y() + 149));
    }
    {
        // Halfway through the centre wipe, the middle shows the scenery, the ends the title.
        GrabbingClock clock("transpik-wipe.png", 150);
        int32_t rate = 2;
        Pic1.extender().setVisible(true);
        Pic1.Wipe(5, rate);
        ASSERT_FALSE(clock.grabbed.isNull());
        const QRect middle(last.x() + 300 - 140, last.y(), 280, 127);
        EXPECT_EQ(clock.grabbed.copy(middle), background.copy(middle));
        const Coverage ends = coverage(clock.grabbed, art.copy(0, 0, 150, 127), background, last);
        EXPECT_EQ(ends.title, ends.opaque);
        EXPECT_EQ(grabScreen().copy(QRect(last, QSize(599, 127))), background.copy(QRect(last, QSize(599, 127))));
    }
}
