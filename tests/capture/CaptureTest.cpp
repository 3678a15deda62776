// Screen capture on a real X server: a window with a known pattern, captured through the
// desktop, through its client area and through its whole-window DC; the palette branch with a
// display that says it is a 256-colour palette device; on a scaled screen, the capture in device
// pixels.
#include "platform/CallRecorder.h"
#include "platform/Gdi.h"
#include "platform/RootWindowGrab.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"
#include "support/VBPRNT32.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <QWidget>
#include <cmath>
#include <gtest/gtest.h>

using namespace platform;

namespace {

QRgb patternAt(int x, int y) { return qRgb((x * 4) & 0xFF, (y * 5) & 0xFF, (x * 7 + y * 3) & 0xFF); }

// A frameless 64 x 48 window that paints a pattern of distinct colours.
class PatternWindow : public QWidget {
public:
    PatternWindow()
    {
        setWindowFlag(Qt::FramelessWindowHint);
        setGeometry(100, 48, 64, 48);  // whole device pixels at the scales tested: 1.25 and 2
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                painter.fillRect(x, y, 1, 1, QColor(patternAt(x, y)));
    }
};

// Pixels of captured from origin on that differ from the pattern's patternRect.
int mismatches(const QImage& captured, QPoint origin, const QRect& patternRect)
{
    int wrong = 0;
    for (int y = 0; y < patternRect.height(); ++y)
        for (int x = 0; x < patternRect.width(); ++x)
            wrong += (captured.pixel(origin.x() + x, origin.y() + y) & 0xFFFFFF) !=
                     (patternAt(patternRect.x() + x, patternRect.y() + y) & 0xFFFFFF);
    return wrong;
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("xcb"))
            GTEST_SKIP() << "needs the X server of the test services";
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // Wait until the X server really shows the pattern.
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 3000 && mismatches(capture(1, 0, 0, 64, 48), {0, 0}, {0, 0, 64, 48}) != 0)
            QTest::qWait(20);
        dcs = gdi::liveDCs();
        bitmaps = gdi::liveBitmaps();
        palettes = gdi::livePalettes();
    }
    void TearDown() override
    {
        gdi::clearDeviceCapsOverrides();
        ScreenMetrics::setOverride(std::nullopt);
        if (IsSkipped())
            return;
        // Every capture gave back its DCs, and each picture freed its bitmap and palette.
        EXPECT_EQ(gdi::liveDCs(), dcs);
        EXPECT_EQ(gdi::liveBitmaps(), bitmaps);
        EXPECT_EQ(gdi::livePalettes(), palettes);
    }
    QImage capture(int16_t area, int left, int top, int w, int h)
    {
        return CaptureWindow(gdi::windowHandle(&window), area, left, top, w, h).image();
    }
    PatternWindow window;
    int dcs = 0, bitmaps = 0, palettes = 0;
};

TEST_F(Capture, ScreenCaptureFollowsTheDocumentedStepsAndShowsTheWindowWhereItIs)
{
    ScreenMetrics::setOverride(ScreenInfo{1024, 768, 15, 15});
    CallRecorder recorder;
    const Picture screen = CaptureScreen();
    recorder.detach();
    EXPECT_EQ(screen.image().size(), QSize(1024, 768));
    EXPECT_EQ(mismatches(screen.image(), window.geometry().topLeft(), {0, 0, 64, 48}), 0);
    EXPECT_EQ(screen.hPal(), 0u);  // a true-colour display: no palette
    EXPECT_EQ(gdi::liveBitmaps(), bitmaps + 1);  // the picture owns the bitmap
    const QStringList expected{
        "GetDesktopWindow() -> desktop", "GetWindowDC(desktop) -> dc1", "CreateCompatibleDC(dc1) -> dc2",
        "CreateCompatibleBitmap(dc1, 1024, 768) -> bm1", "SelectObject(dc2, bm1)", "GetDeviceCaps(dc1, 38)",
        "GetDeviceCaps(dc1, 104)", "BitBlt(dc2, 0, 0, 1024, 768, dc1, 0, 0, SRCCOPY)",
        "SelectObject(dc2, stockbitmap)", "DeleteDC(dc2)", "ReleaseDC(desktop, dc1)"};
    EXPECT_EQ(recorder.calls(), expected) << recorder.calls().join("\n").toStdString();
}

TEST_F(Capture, WindowCaptureWithAndWithoutFrame)
{
    // Without a window manager there is no frame: the whole window is the client area.
    ASSERT_EQ(window.frameGeometry(), window.geometry());
    for (int16_t area : {1, 0}) {
        const QImage whole = capture(area, 0, 0, 64, 48);
        EXPECT_EQ(whole.size(), QSize(64, 48));
        EXPECT_EQ(mismatches(whole, {0, 0}, {0, 0, 64, 48}), 0) << area;
    }
    // A rectangle inside: left and top are relative to the chosen area.
    const QImage part = capture(-1, 10, 5, 20, 30);
    EXPECT_EQ(part.size(), QSize(20, 30));
    EXPECT_EQ(mismatches(part, {0, 0}, {10, 5, 20, 30}), 0);
}

TEST_F(Capture, PixelsPastTheScreenEdgeAreBlack)
{
    const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
    window.move(screen.width() - 24, 100);
    QTest::qWait(100);
    ASSERT_EQ(window.x(), screen.width() - 24);
    // The whole window: 24 columns on the screen, 40 past its right edge.
    const QImage part = capture(1, 0, 0, 64, 48);
    ASSERT_EQ(part.size(), QSize(64, 48));
    EXPECT_EQ(mismatches(part, {0, 0}, {0, 0, 24, 48}), 0);
    int notBlack = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 24; x < 64; ++x)
            notBlack += part.pixel(x, y) != 0xFF000000;
    EXPECT_EQ(notBlack, 0);
}

TEST_F(Capture, TheDesktopReadAheadServesTheFirstScreenCaptureOnly)
{
    const QPoint before = window.pos();
    readDesktopAhead();
    // Long enough for the read on its own thread; the window then moves.
    QThread::msleep(1000);
    window.move(before + QPoint(200, 100));
    QTest::qWait(100);
    ScreenMetrics::setOverride(ScreenInfo{1024, 768, 15, 15});
    // The first capture is the desktop as it was read ahead, the window at its old place ...
    EXPECT_EQ(mismatches(CaptureScreen().image(), before, {0, 0, 64, 48}), 0);
    // ... and the next one reads the screen as it is now.
    QElapsedTimer timer;
    timer.start();
    QImage now = CaptureScreen().image();
    while (timer.elapsed() < 3000 && mismatches(now, window.pos(), {0, 0, 64, 48}) != 0) {
        QTest::qWait(20);
        now = CaptureScreen().image();
    }
    EXPECT_EQ(mismatches(now, window.pos(), {0, 0, 64, 48}), 0);
    EXPECT_NE(mismatches(now, before, {0, 0, 64, 48}), 0);
}

TEST_F(Capture, PaletteDeviceGivesThePictureTheSystemPalette)
{
    gdi::setDeviceCapsOverride(RASTERCAPS, RC_PALETTE);
    gdi::setDeviceCapsOverride(SIZEPALETTE, 256);
    CallRecorder recorder;
    const Picture part = CaptureWindow(gdi::windowHandle(&window), 1, 0, 0, 64, 48);
    recorder.detach();
    ASSERT_EQ(part.palette().size(), 256);
    EXPECT_NE(part.hPal(), 0u);
    EXPECT_EQ(part.palette()[255], qRgb(255, 255, 255));
    EXPECT_EQ(mismatches(part.image(), {0, 0}, {0, 0, 64, 48}), 0);
    const QStringList calls = recorder.calls();
    const QStringList paletteSteps{"GetSystemPaletteEntries(dc1, 0, 256)", "CreatePalette(0x300, 256) -> pal1",
                                   "SelectPalette(dc2, pal1, 0)", "RealizePalette(dc2)"};
    const qsizetype first = calls.indexOf(paletteSteps[0]);
    ASSERT_GE(first, 0) << calls.join("\n").toStdString();
    EXPECT_EQ(calls.mid(first, 4), paletteSteps);
    EXPECT_EQ(calls.indexOf("SelectPalette(dc2, stockpalette, 0)"), calls.indexOf("SelectObject(dc2, stockbitmap)") + 1);
    EXPECT_EQ(gdi::livePalettes(), palettes + 1);

    // Palette bit set but another palette size: not a palette device, no palette work at all.
    gdi::setDeviceCapsOverride(SIZEPALETTE, 16);
    CallRecorder second;
    EXPECT_EQ(CaptureWindow(gdi::windowHandle(&window), 1, 0, 0, 8, 8).hPal(), 0u);
    second.detach();
    EXPECT_FALSE(second.calls().join(" ").contains("Palette"));
}

TEST_F(Capture, TwipsPerPixelRoundingToZeroIsADivisionError)
{
    ScreenMetrics::setOverride(ScreenInfo{1024, 768, 0.4, 15});
    EXPECT_THROW(CaptureScreen(), RunTimeError);
    // The width is whole twips divided by whole twips per pixel, the remainder dropped.
    ScreenMetrics::setOverride(ScreenInfo{1000, 700, 12.4, 15});  // 12400 twips / 12 = 1033
    EXPECT_EQ(CaptureScreen().image().size(), QSize(1033, 700));
}


// A scaled screen, one process per scale (Qt reads the scale once, when the application starts).
constexpr const char* ScaledChild = "QUORVEL_SCALED_CAPTURE";

TEST(ChildProcess, TheScreenCaptureHoldsTheDevicePixels)
{
    if (qEnvironmentVariableIsEmpty(ScaledChild))
        GTEST_SKIP() << "runs inside ScaledCapture.TheDesktopIsCapturedWholeAtEveryScale";
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen->devicePixelRatio();
    ASSERT_GT(ratio, 1);
    PatternWindow window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // A game pixel covers the device pixels from its edge times the ratio: its centre is inside.
    const auto device = [ratio](int pixel) { return static_cast<int>(std::floor((pixel + 0.5) * ratio)); };
    const auto wrongInCapture = [&](const QImage& image) {
        int wrong = 0;
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 64; ++x)
                wrong += (image.pixel(device(window.x() + x), device(window.y() + y)) & 0xFFFFFF) != (patternAt(x, y) & 0xFFFFFF);
        return wrong;
    };
    QElapsedTimer timer;
    timer.start();
    Picture desktop = CaptureScreen();
    while (timer.elapsed() < 3000 && wrongInCapture(desktop.image()) != 0) {
        QTest::qWait(20);
        desktop = CaptureScreen();
    }
    const QSize gamePixels = screen->geometry().size();
    EXPECT_EQ(desktop.image().size(), (QSizeF(gamePixels) * ratio).toSize());
    EXPECT_EQ(wrongInCapture(desktop.image()), 0);
    // As a picture it is the size of the screen in the game's pixels.
    EXPECT_EQ(QSize(desktop.widthPixels(), desktop.heightPixels()), gamePixels);
    EXPECT_EQ(desktop.Width(), Picture::pixelsToHimetricX(gamePixels.width()));

    // Copied into a bitmap of game pixels, the capture gives the whole screen, one pixel for each.
    const HDC captureDc = CreateCompatibleDC(0);
    const HGDIOBJ previous = SelectObject(captureDc, desktop.Handle());
    const HDC gameDc = CreateCompatibleDC(0);
    // Compatible with the DC holding the capture: a colour bitmap (a fresh memory DC gives 1-bit ones).
    const HBITMAP gameBitmap = CreateCompatibleBitmap(captureDc, gamePixels.width(), gamePixels.height());
    const HGDIOBJ gamePrevious = SelectObject(gameDc, gameBitmap);
    EXPECT_TRUE(BitBlt(gameDc, 0, 0, gamePixels.width(), gamePixels.height(), captureDc, 0, 0, SRCCOPY));
    const QImage copied = gdi::bitmapImage(gameBitmap);
    EXPECT_EQ(copied.size(), gamePixels);
    EXPECT_EQ(mismatches(copied, window.geometry().topLeft(), {0, 0, 64, 48}), 0);
    SelectObject(gameDc, gamePrevious);
    SelectObject(captureDc, previous);
    DeleteDC(gameDc);
    DeleteDC(captureDc);
    DeleteObject(gameBitmap);
}

TEST(ScaledCapture, TheDesktopIsCapturedWholeAtEveryScale)
{
    if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("xcb"))
        GTEST_SKIP() << "needs the X server of the test services";
    for (const char* scale : {"1.25", "2"}) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_SCALE_FACTOR"), QLatin1String(scale));
        env.insert(QLatin1String(ScaledChild), QStringLiteral("1"));
        child.setProcessEnvironment(env);
        child.setProcessChannelMode(QProcess::MergedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_filter=ChildProcess.TheScreenCaptureHoldsTheDevicePixels")});
        ASSERT_TRUE(child.waitForFinished(60000)) << "scale " << scale;
        const QString output = QString::fromUtf8(child.readAll());
        EXPECT_EQ(child.exitCode(), 0) << "scale " << scale << ":\n" << output.toStdString();
        EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << "scale " << scale;
    }
}

} // namespace
