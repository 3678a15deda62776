// The intro window on a real X server without a window manager: it is activated (or starts on
// its own), covers the whole screen, first shows exactly the desktop it captured, and returns
// from its modal run once the intro has unloaded it.
#include "startup/Form1.h"

#include "core/GameState.h"
#include "tests/startup/ScriptedClock.h"
#include "platform/Sound.h"
#include "transpik/transpik.h"
#include "tests/support/TestFolder.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QFile>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QtTest/QTest>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <vector>
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

    // Shows the wallpaper and gives the X server a moment to have it on screen.
    bool showOnScreen()
    {
        show();
        const bool exposed = QTest::qWaitForWindowExposed(this);
        QTest::qWait(100);
        return exposed;
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

    // Shows the window and returns once the intro has unloaded it; an intro that hangs is
    // closed after `limitMs`, so the run goes on.
    void play(int limitMs)
    {
        QTimer limit;
        limit.setSingleShot(true);
        QObject::connect(&limit, &QTimer::timeout, &form, [this] { form.close(); });
        limit.start(limitMs);
        form.showModally();
    }

    TestFolder folder;
    Form1 form;
};

QImage grabScreen()
{
    return QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
}

// Each case first puts a wallpaper on the screen: the intro captures the desktop when it loads.
class Form1Screen : public testing::Test {
protected:
    // Shows the wallpaper and notes the desktop as the screen then shows it.
    bool showDesktop(std::optional<QColor> plain = std::nullopt)
    {
        wallpaper_ = std::make_unique<Wallpaper>(plain);
        const bool shown = wallpaper_->showOnScreen();
        desktop = grabScreen();
        return shown;
    }

    QImage desktop;

private:
    std::unique_ptr<Wallpaper> wallpaper_;
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

TEST_F(Form1Screen, CoversTheScreenShowsTheDesktopAndUnloads)
{
    ASSERT_TRUE(showDesktop());
    LoadedForm1 loaded;
    Form1& form = loaded.form;

    // At the first frame of the first pass (drawn beyond the right edge) the window shows what
    // the desktop showed before it.
    ScriptedClock clock;
    QRect placed;
    QImage firstFrame;
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == 1; }, [&] {
        placed = form.geometry();
        firstFrame = grabScreen();
    });
    loaded.play(20000);

    EXPECT_EQ(placed, QGuiApplication::primaryScreen()->geometry());
    EXPECT_EQ(clock.pausesOf(1), 301) << "the intro did not run to its wipe";
    ASSERT_FALSE(firstFrame.isNull()) << "the intro never started";
    EXPECT_LT(differingPixels(desktop, firstFrame), desktop.width() * desktop.height() / 200);
    EXPECT_EQ(form1Reference(), nullptr);
}

// The scripted clock, also grabbing the title's place on the screen at the first look after the
// title was painted (one presented frame, as the X server shows it) and after 300 looks (0.15
// scripted seconds) without a paint (the title standing still).
class FrameGrabbingClock : public ScriptedClock {
public:
    struct Frame {
        int slideFrames;  // pauses of the slide (4 ms) before this frame
        QRect place;      // the title's place on the screen
        QImage image;
    };
    struct Still {
        size_t afterFrames;  // frames grabbed before it
        QImage image;
    };

    explicit FrameGrabbingClock(platform::Surface& title) : title_(title) { title_.installEventFilter(&paints_); }
    ~FrameGrabbingClock() override { title_.removeEventFilter(&paints_); }

    double now() override
    {
        const double t = ScriptedClock::now();
        if (paints_.seen) {
            paints_.seen = false;
            looksWithoutPaint_ = 0;
            frames.push_back({pausesOf(4), place(), grab()});
        } else if (++looksWithoutPaint_ == 300) {
            stills.push_back({frames.size(), grab()});
        }
        return t;
    }

    std::vector<Frame> frames;
    std::vector<Still> stills;

private:
    struct PaintWatch : QObject {
        bool seen = false;
        bool eventFilter(QObject*, QEvent* event) override
        {
            seen = seen || event->type() == QEvent::Paint;
            return false;
        }
    };
    QRect place() const { return QRect(title_.mapToGlobal(QPoint(0, 0)), title_.size()); }
    QImage grab() const
    {
        const QRect at = place();
        return QGuiApplication::primaryScreen()->grabWindow(0, at.x(), at.y(), at.width(), at.height())
            .toImage()
            .convertToFormat(QImage::Format_RGB32);
    }

    platform::Surface& title_;
    PaintWatch paints_;
    int looksWithoutPaint_ = 0;
};

// Share of the title's own pixels (where it differs from what lies under it) that `frame` shows.
double drawnShare(const QImage& frame, const QImage& title, const QImage& under)
{
    long long titlePixels = 0, drawn = 0;
    for (int y = 0; y < title.height(); ++y)
        for (int x = 0; x < title.width(); ++x) {
            if (title.pixel(x, y) == under.pixel(x, y))
                continue;
            ++titlePixels;
            drawn += frame.pixel(x, y) == title.pixel(x, y);
        }
    return titlePixels == 0 ? 0 : double(drawn) / double(titlePixels);
}

TEST_F(Form1Screen, TheTitleDissolvesInOverManyFramesThatTheScreenShows)
{
    ASSERT_TRUE(showDesktop());
    LoadedForm1 loaded;
    platform::Surface& title = loaded.form.Pic1->extender();
    FrameGrabbingClock clock(title);
    loaded.play(60000);

    // The dissolve: the frames between the first pass and the slide, the title then standing still.
    std::map<int, std::vector<QImage>> bySlideFrame;
    QRect place;
    for (const auto& frame : clock.frames)
        bySlideFrame[frame.slideFrames].push_back(frame.image);
    ASSERT_FALSE(bySlideFrame.empty()) << "the intro never started";
    const auto dissolve = std::max_element(bySlideFrame.begin(), bySlideFrame.end(), [](const auto& a, const auto& b) {
        return a.second.size() < b.second.size();
    });
    size_t dissolveEnd = 0;
    for (const auto& frame : clock.frames) {
        if (frame.slideFrames == dissolve->first)
            place = frame.place;
        dissolveEnd += frame.slideFrames <= dissolve->first;
    }
    const auto still = std::find_if(clock.stills.begin(), clock.stills.end(),
                                     [&](const auto& s) { return s.afterFrames == dissolveEnd; });
    ASSERT_NE(still, clock.stills.end()) << "the title did not stand still after the dissolve";
    const QImage& finished = still->image;
    const QImage under = desktop.copy(place);

    std::vector<double> shares;
    const QImage* previous = nullptr;
    for (const QImage& frame : dissolve->second) {
        if (previous && frame == *previous)
            continue;
        previous = &frame;
        shares.push_back(drawnShare(frame, finished, under));
    }
    const auto partly = std::count_if(shares.begin(), shares.end(), [](double s) { return s > 0 && s < 1; });
    std::printf("dissolve at %dx%d: %zu presented frames, %zu distinct, %td with the title partly drawn; "
                "drawn share at the quarters %.2f %.2f %.2f %.2f %.2f\n",
                desktop.width(), desktop.height(), dissolve->second.size(), shares.size(), partly,
                shares.front(), shares[shares.size() / 4], shares[shares.size() / 2], shares[shares.size() * 3 / 4],
                shares.back());
    EXPECT_GE(partly, 30);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end(), std::less_equal<>()))
        << "the drawn share must grow from frame to frame";
    EXPECT_EQ(dissolve->second.back(), finished) << "the last frame of the dissolve is the whole title";
}

TEST_F(Form1Screen, ABlackDesktopGivesTheIntroItsOwnDarkBackgroundAPlainWallpaperIsShown)
{
    // What Xwayland hands an application is black over the whole screen: the intro takes its own
    // background. A plain wallpaper of one colour is the player's real desktop.
    ASSERT_TRUE(showDesktop(QColor(0, 0, 0)));
    {
        LoadedForm1 loaded;
        EXPECT_TRUE(loaded.form.picture().isEmpty());
        EXPECT_EQ(loaded.form.BackColor(), 0x00201010u);
    }
    ASSERT_TRUE(showDesktop(QColor(0x33, 0x66, 0x99)));
    LoadedForm1 loaded;
    ASSERT_FALSE(loaded.form.picture().isEmpty());
    EXPECT_EQ(loaded.form.picture().image().pixel(5, 5) & RGB_MASK, 0x336699u);
}

// Scaled screens: one process per scale (Qt reads the scale once, when the application starts).
// The child counts the pixels in which the intro's first frame differs from the desktop read by
// ImageMagick before the game ran; it writes the count and the screen's device pixel ratio.
constexpr const char* ScaledChildOutput = "QUORVEL_SCALED_INTRO_OUT";

TEST(ChildProcess, Form1FirstFrameAgainstTheDesktop)
{
    if (qEnvironmentVariableIsEmpty(ScaledChildOutput))
        GTEST_SKIP() << "runs inside Form1ScaledScreen.TheFirstFrameIsTheDesktopAtEveryScale";
    QScreen* screen = QGuiApplication::primaryScreen();
    Wallpaper wallpaper;
    ASSERT_TRUE(wallpaper.showOnScreen());
    TestFolder shots;
    ASSERT_EQ(QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"),
                                                            shots.file(QStringLiteral("desktop.png"))}), 0);
    const QImage desktop = QImage(shots.file(QStringLiteral("desktop.png"))).convertToFormat(QImage::Format_RGB32);

    LoadedForm1 loaded;
    ScriptedClock clock;
    QImage firstFrame;
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == 1; },
             [&] { firstFrame = grabScreen(); });
    loaded.play(20000);
    ASSERT_FALSE(firstFrame.isNull()) << "the intro never started";
    ASSERT_EQ(firstFrame.size(), desktop.size());
    int differing = 0;
    for (int y = 0; y < desktop.height(); ++y)
        for (int x = 0; x < desktop.width(); ++x)
            differing += (desktop.pixel(x, y) & 0xFFFFFF) != (firstFrame.pixel(x, y) & 0xFFFFFF);
    QFile out(qEnvironmentVariable(ScaledChildOutput));
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QStringLiteral("%1 %2").arg(differing).arg(screen->devicePixelRatio()).toUtf8());
}

// The scale comes from Qt's own factor or from the X resources' font resolution, as a desktop
// scaled in its settings sets it.
TEST(Form1ScaledScreen, TheFirstFrameIsTheDesktopAtEveryScale)
{
    ASSERT_FALSE(QStandardPaths::findExecutable(QStringLiteral("xrdb")).isEmpty()) << "xrdb (x11-xserver-utils) is missing";
    struct Case {
        const char* scaleFactor;  // QT_SCALE_FACTOR, or nullptr
        const char* xftDpi;       // Xft.dpi merged into the X resources, or nullptr
        double ratio;             // the device pixel ratio Qt must see
    };
    const Case cases[] = {{"1", nullptr, 1},      {"1.25", nullptr, 1.25}, {"1.5", nullptr, 1.5},
                          {"2", nullptr, 2},      {nullptr, "120", 1.25},  {nullptr, "144", 1.5},
                          {nullptr, "192", 2}};
    TestFolder folder;
    for (const Case& c : cases) {
        const QString name = c.scaleFactor ? QStringLiteral("QT_SCALE_FACTOR=%1").arg(c.scaleFactor)
                                           : QStringLiteral("Xft.dpi=%1").arg(c.xftDpi);
        if (c.xftDpi) {
            QProcess xrdb;
            xrdb.start(QStringLiteral("xrdb"), {QStringLiteral("-merge")});
            xrdb.write(QStringLiteral("Xft.dpi: %1\n").arg(c.xftDpi).toUtf8());
            xrdb.closeWriteChannel();
            ASSERT_TRUE(xrdb.waitForFinished(10000));
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("QT_SCALE_FACTOR"));
        if (c.scaleFactor)
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(c.scaleFactor));
        env.insert(QLatin1String(ScaledChildOutput), folder.file(name));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ChildProcess.Form1FirstFrameAgainstTheDesktop")});
        const bool finished = child.waitForFinished(120000);
        if (c.xftDpi)
            QProcess::execute(QStringLiteral("xrdb"), {QStringLiteral("-remove")});
        ASSERT_TRUE(finished) << name.toStdString();
        EXPECT_EQ(child.exitCode(), 0) << name.toStdString() << ":\n" << child.readAll().toStdString();
        const QStringList figures = QString::fromUtf8(folder.read(name)).split(QLatin1Char(' '));
        ASSERT_EQ(figures.size(), 2) << name.toStdString();
        std::printf("%s: device pixel ratio %s, first frame differs from the desktop in %s pixels\n",
                    qPrintable(name), qPrintable(figures[1]), qPrintable(figures[0]));
        EXPECT_DOUBLE_EQ(figures[1].toDouble(), c.ratio) << name.toStdString();
        EXPECT_EQ(figures[0].toInt(), 0) << name.toStdString();
    }
}

} // namespace
