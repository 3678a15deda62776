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
#include <optional>
#include <gtest/gtest.h>

namespace {

// Something recognisable on the desktop for the intro to capture, or one plain colour.
class Wallpaper : public QWidget {
public:
    explicit Wallpaper(std::optional<QColor> plain = std::nullopt) : plain_(plain)
    {
        setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
        setGeometry(QGuiApplication::primaryScreen()->geometry());
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        if (plain_) {
            painter.fillRect(rect(), *plain_);
            return;
        }
        QLinearGradient gradient(0, 0, width(), height());
        gradient.setColorAt(0, QColor(200, 40, 40));
        gradient.setColorAt(1, QColor(30, 60, 220));
        painter.fillRect(rect(), gradient);
        painter.setPen(Qt::white);
        for (int x = 0; x < width(); x += 64)
            painter.drawLine(x, 0, width() - x, height());
    }

private:
    std::optional<QColor> plain_;
};

// The intro window loaded from a folder with a question bank, with sound off.
struct LoadedForm1 {
    LoadedForm1()
    {
        resetGame();
        game().TwipsPerPixelX = game().TwipsPerPixelY = 15;
        platform::setAudioOutputCountOverride(1);
        folder.write("DATA.ASC", "bank\r\n");
        form.programFolder = [this] { return folder.path(); };
        form.Form_Load();
        game().SoundOn = 0;
    }
    ~LoadedForm1() { platform::setAudioOutputCountOverride(std::nullopt); }

    TestFolder folder;
    Form1 form;
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
    wallpaper.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wallpaper));
    QTest::qWait(100);
    const QImage desktop = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);

    LoadedForm1 loaded;
    Form1& form = loaded.form;

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
}

TEST(Form1Screen, APlainDesktopGivesTheIntroItsOwnDarkBackground)
{
    // What Xwayland hands an application is one colour over the whole screen: a plain desktop
    // looks the same, so both take the intro's own background.
    Wallpaper wallpaper(QColor(0, 0, 0));
    wallpaper.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wallpaper));
    QTest::qWait(100);
    LoadedForm1 loaded;
    EXPECT_TRUE(loaded.form.picture().isEmpty());
    EXPECT_EQ(loaded.form.BackColor(), 0x00201010u);
}

} // namespace
