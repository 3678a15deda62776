// The intro window on a real X server without a window manager: it is activated (or starts on
// its own), covers the whole screen, first shows exactly the desktop it captured, and returns
// from its modal run once the intro has unloaded it.
#include "Form1.h"

#include "GameState.h"
#include "ScriptedClock.h"
#include "Sound.h"
#include "support/TestFolder.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <QtTest/QTest>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

// Something recognisable on the desktop for the intro to capture.
class Wallpaper : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(200, 40, 40));
        gradient.setColorAt(1, QColor(30, 60, 220));
        painter.fillRect(rect(), gradient);
        painter.setPen(Qt::white);
        for (int x = 0; x < width(); x += 64)
            painter.drawLine(x, 0, width() - x, height());
    }
};

int differingPixels(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return a.width() * a.height();
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            count += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 24;
        }
    return count;
}

TEST(Form1Screen, CoversTheScreenShowsTheDesktopAndUnloads)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    Wallpaper wallpaper;
    wallpaper.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    wallpaper.setGeometry(screen->geometry());
    wallpaper.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wallpaper));
    QTest::qWait(100);
    const QImage desktop = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);

    resetGame();
    game().TwipsPerPixelX = game().TwipsPerPixelY = 15;
    platform::setAudioOutputCountOverride(1);
    TestFolder folder;
    folder.write("DATA.ASC", "bank\r\n");
    Form1 form;
    form.programFolder = [&folder] { return folder.path(); };
    form.Form_Load();
    game().SoundOn = 0;

    // At the first frame of the first pass (drawn beyond the right edge) the window shows what
    // the desktop showed before it.
    ScriptedClock clock;
    QRect placed;
    QImage firstFrame;
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == 1; }, [&] {
        placed = form.geometry();
        firstFrame = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    });
    bool returned = false;
    QTimer::singleShot(20000, [&] { if (!returned) form.close(); });  // never hang the run
    form.showModally();
    returned = true;

    EXPECT_EQ(placed, screen->geometry());
    EXPECT_EQ(clock.pausesOf(1), 301) << "the intro did not run to its wipe";
    ASSERT_FALSE(firstFrame.isNull()) << "the intro never started";
    EXPECT_LT(differingPixels(desktop, firstFrame), desktop.width() * desktop.height() / 200);
    EXPECT_EQ(form1Reference(), nullptr);
    platform::setAudioOutputCountOverride(std::nullopt);
}

} // namespace
