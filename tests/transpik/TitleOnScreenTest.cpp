// On a real X server: the title dissolves in, slides and is wiped away over a picture, and a
// grab of the screen in the middle of each transition sees it. With QUORVEL_SCREENSHOTS set
// to a folder, the three grabs are saved there (transpik-dissolve.png, -slide.png, -wipe.png).
#include "Clock.h"
#include "PropertyBag.h"
#include "Surface.h"
#include "transpik.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QThread>
#include <QWindow>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>

namespace {

double realNow()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

QImage grabScreen()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// A clock that grabs the screen once: in its `pause`-th pause (after that frame or step was
// shown), or at its first reading `at` seconds after it started.
class GrabbingClock : public platform::Clock::Source {
public:
    static GrabbingClock inPause(int pause) { return GrabbingClock(pause, 0, 0); }
    // A machine that draws the blocks of a dissolve slowly: each reading is `tick` seconds on.
    static GrabbingClock slowMachine(double at, double tick) { return GrabbingClock(0, at, tick); }
    ~GrabbingClock() override { platform::Clock::setSource(nullptr); }
    void install() { platform::Clock::setSource(this); }
    double now() override
    {
        const double reading = tick_ > 0 ? (time_ += tick_) : realNow();
        if (at_ > 0 && reading >= start_ + at_ && grabbed.isNull())
            grabbed = grabScreen();
        return reading;
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
    GrabbingClock(int pause, double at, double tick) : pause_(pause), at_(at), tick_(tick) {}

    int pause_;
    double at_;
    double tick_;
    double time_ = 1000;
    double start_ = tick_ > 0 ? time_ : realNow();
    int pauses_ = 0;
};

// A desktop-like picture: a sky gradient with a few coloured tiles.
QImage scenery(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(40, 70, 140));
    sky.setColorAt(1, QColor(200, 120, 60));
    painter.fillRect(image.rect(), sky);
    for (int i = 0; i < 12; ++i)
        painter.fillRect(60 + i * 80, 300 + (i % 3) * 90, 64, 64, QColor::fromHsv(i * 30, 160, 220));
    return image;
}

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
            const QRgb shown = grab.pixel(at.x() + x, at.y() + y);
            c.title += shown == art.pixel(x, y);
            c.scenery += shown == background.pixel(at.x() + x, at.y() + y);
        }
    }
    return c;
}

void keep(const QImage& grab, const char* name)
{
    const QString folder = qEnvironmentVariable("QUORVEL_SCREENSHOTS");
    if (!folder.isEmpty())
        grab.save(QDir(folder).filePath(QString::fromLatin1(name)));
}

} // namespace

TEST(TitleOnScreen, DissolvesInSlidesAndIsWipedAway)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    platform::Surface form;
    form.setWindowFlag(Qt::FramelessWindowHint);
    form.setScaleMode(platform::vbPixels);
    form.setGeometry(QRect(QPoint(0, 0), screen));
    const QImage background = scenery(screen);
    form.setPicture(platform::Picture::fromImage(background));
    transpik Pic1(form);
    Pic1.UserControl_ReadProperties(PropertyBag::load(QStringLiteral(":/designs/Pic1.txt")));
    const QImage art = Pic1.Picture().image().convertToFormat(QImage::Format_RGB32);
    const QPoint top((screen.width() - 599) / 2, 25);
    Pic1.extender().Move(float(top.x()), float(top.y()));
    form.show();
    const double deadline = realNow() + 10;
    while (!(form.windowHandle() && form.windowHandle()->isExposed()) && realNow() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
    QApplication::processEvents();
    ASSERT_TRUE(form.windowHandle()->isExposed());

    {
        // This machine completes the dissolve within the first displayed frame; a slower one,
        // drawing 16 blocks a millisecond, shows it a third of the way through.
        GrabbingClock clock = GrabbingClock::slowMachine(0.35, 0.001);
        clock.install();
        Pic1.Dissolve2(1, 3, 1);
        ASSERT_FALSE(clock.grabbed.isNull());
        const Coverage c = coverage(clock.grabbed, art, background, top);
        EXPECT_GT(c.title, c.opaque / 10);
        EXPECT_GT(c.scenery, c.opaque / 10);
        EXPECT_EQ(c.title + c.scenery, c.opaque);
        keep(clock.grabbed, "transpik-dissolve.png");
        EXPECT_EQ(coverage(grabScreen(), art, background, top).title, c.opaque);
    }

    const int points = 300;
    CoordTable path(0, points, 0, 2);
    for (int i = 1; i <= points; ++i) {
        path(i, 1) = top.x();
        path(i, 2) = top.y() + i - 1;
    }
    {
        // In the 150th pause the title shows whole at point 150, and nothing of it above.
        GrabbingClock clock = GrabbingClock::inPause(150);
        clock.install();
        Pic1.Tanimate2(path, points, 4, 30);
        ASSERT_FALSE(clock.grabbed.isNull());
        const QPoint at(top.x(), top.y() + 149);
        EXPECT_EQ(coverage(clock.grabbed, art, background, at).title, coverage(clock.grabbed, art, background, at).opaque);
        EXPECT_EQ(clock.grabbed.copy(top.x(), 0, 599, at.y()), background.copy(top.x(), 0, 599, at.y()));
        keep(clock.grabbed, "transpik-slide.png");
    }
    {
        // Halfway through the centre wipe, the middle shows the scenery, the ends the title.
        const QPoint at(top.x(), top.y() + points - 1);
        GrabbingClock clock = GrabbingClock::inPause(150);
        clock.install();
        int32_t rate = 2;
        Pic1.extender().setVisible(true);
        Pic1.Wipe(5, rate);
        ASSERT_FALSE(clock.grabbed.isNull());
        const QImage grab = clock.grabbed;
        EXPECT_EQ(grab.copy(at.x() + 300 - 140, at.y(), 280, 127), background.copy(at.x() + 300 - 140, at.y(), 280, 127));
        const Coverage ends = coverage(grab.copy(at.x(), at.y(), 150, 127), art.copy(0, 0, 150, 127),
                                       background.copy(at.x(), at.y(), 150, 127), QPoint(0, 0));
        EXPECT_EQ(ends.title, ends.opaque);
        keep(grab, "transpik-wipe.png");
        EXPECT_EQ(grabScreen().copy(QRect(at, QSize(599, 127))), background.copy(QRect(at, QSize(599, 127))));
    }
}
