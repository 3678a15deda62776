// Tanimate and Tanimate2: the picture slides over the form one frame per point, each frame one
// copy to the screen that also clears the previous place.
#include "tests/transpik/TranspikFixture.h"

#include "platform/CallRecorder.h"
#include "core/GameState.h"
#include "core/RunTimeError.h"

#include <QTimer>

using platform::CallRecorder;

namespace {

CoordTable path(std::initializer_list<QPoint> points)
{
    CoordTable coords(0, int32_t(points.size()), 0, 2);
    int32_t i = 1;
    for (const QPoint& p : points) {
        coords(i, 1) = p.x();
        coords(i++, 2) = p.y();
    }
    return coords;
}

} // namespace

class TanimateTest : public TranspikTest {
protected:
    void SetUp() override
    {
        TranspikTest::SetUp();
        art = titleLikeImage(40, 20);
        makeControl(art, 16, 0);
        background = form->screenImage();
    }

    // Runs a slide with the recorder on; returns the copies onto the form's screen.
    QStringList recordSlide(const std::function<void()>& slide)
    {
        FakeClock clock(0.0001);
        CallRecorder recorder;
        const QString formScreen = dcName(form->hDC());
        slide();
        calls = recorder.calls();
        return copiesOnto(calls, formScreen);
    }

    // The form's screen must show the last frame at `at` and the background everywhere else.
    void expectOnlyFrameAt(const QPoint& at)
    {
        const QImage shown = form->screenImage();
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 0; x < shown.width(); ++x) {
                const QPoint inPicture = QPoint(x, y) - at;
                const bool drawn = art.rect().contains(inPicture) && art.pixel(inPicture) != qRgb(0, 255, 0);
                ASSERT_EQ(shown.pixel(x, y), drawn ? art.pixel(inPicture) : background.pixel(x, y)) << x << "," << y;
            }
        }
    }

    QImage art;
    QImage background;
    QStringList calls;
};

TEST_F(TanimateTest, EachFrameRepaintsTheOldAndNewPlaceAndLeavesNoTrail)
{
    const CoordTable coords = path({{50, 60}, {50, 60}, {57, 60}, {52, 60}, {52, 69}, {52, 61}, {-10, 190}, {100, 100}});
    const QStringList expected = {
        "50, 60, 40, 20",   // the first frame: the picture's own rectangle
        "50, 60, 40, 20",   // standing still: W x H
        "50, 60, 47, 20",   // right by 7
        "52, 60, 45, 20",   // left by 5
        "52, 60, 40, 29",   // down by 9
        "52, 61, 40, 28",   // up by 8
        "-10, 61, 102, 149",  // partly off the form
        "-10, 100, 150, 110",
    };
    EXPECT_EQ(recordSlide([&] { control->Tanimate(coords, 8, 3); }), expected);
    EXPECT_EQ(calls.filter(QStringLiteral("Sleep(3)")).size(), 8);
    expectOnlyFrameAt({100, 100});

    // The control ends hidden at the last point, the scale units and AutoRedraw as they were.
    EXPECT_FALSE(control->extender().Visible());
    EXPECT_EQ(control->extender().geometry().topLeft(), QPoint(100, 100));
    EXPECT_TRUE(control->AutoRedraw());
    EXPECT_EQ(form->ScaleMode(), platform::vbPixels);
    EXPECT_EQ(control->ScaleMode(), platform::vbTwips);

    // A second slide leaves only its own last frame.
    recordSlide([&] { control->Tanimate(path({{200, 150}}), 1, 0); });
    expectOnlyFrameAt({200, 150});
}

TEST_F(TanimateTest, NoStepsDrawsNothingAndPutsTheControlAtTheOrigin)
{
    EXPECT_TRUE(recordSlide([&] { control->Tanimate(path({{70, 80}}), 0, 5); }).isEmpty());
    EXPECT_TRUE(calls.filter(QStringLiteral("Sleep(")).isEmpty());
    EXPECT_FALSE(control->extender().Visible());
    EXPECT_EQ(control->extender().geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(form->screenImage(), background);
}

TEST_F(TanimateTest, Tanimate2StopsBeforeDrawingWhenSkippedOrOutOfTime)
{
    game().SkipIntro = 1;
    EXPECT_TRUE(recordSlide([&] { control->Tanimate2(path({{70, 80}, {90, 80}}), 2, 5, 100); }).isEmpty());
    EXPECT_EQ(control->extender().geometry().topLeft(), QPoint(70, 80));

    // Set by an event handler: the events run before the frame is drawn, so none is.
    game().SkipIntro = 0;
    EXPECT_TRUE(recordSlide([&] {
        QTimer::singleShot(0, [] { game().SkipIntro = 1; });
        control->Tanimate2(path({{10, 10}, {20, 10}, {30, 10}}), 3, 0, 100);
    }).isEmpty());
    EXPECT_EQ(control->extender().geometry().topLeft(), QPoint(10, 10));

    // Each frame pauses 10 ms on the fake clock: frames start at 0, 10, 20, 30 ms (plus readings).
    game().SkipIntro = 0;
    const CoordTable coords = path({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}, {6, 6}});
    EXPECT_EQ(recordSlide([&] { control->Tanimate2(coords, 6, 10, 0.025f); }).size(), 3);
    EXPECT_EQ(control->extender().geometry().topLeft(), QPoint(4, 4));  // read, not drawn
}

TEST_F(TanimateTest, Tanimate2DrawsTheSameFramesAsTanimate)
{
    const CoordTable coords = path({{0, 0}, {30, 5}, {60, 10}, {61, 90}, {250, 170}});
    recordSlide([&] { control->Tanimate(coords, 5, 1); });
    const QStringList firstCalls = calls;
    const QImage firstScreen = form->screenImage();
    recordSlide([&] { control->Tanimate2(coords, 5, 1, 1000); });
    EXPECT_EQ(calls, firstCalls);
    EXPECT_EQ(form->screenImage(), firstScreen);
}

TEST_F(TanimateTest, The32767thFrameIsFollowedByTheMoveAndTheRestore)
{
    makeControl(titleLikeImage(3, 2), 0, 0);
    form->setScaleMode(platform::vbTwips);
    CoordTable coords(1, 32767, 1, 2);
    for (int32_t i = 1; i <= 32767; ++i) {
        coords(i, 1) = i % 300;
        coords(i, 2) = i % 190;
    }
    FakeClock clock;
    control->Tanimate(coords, 32767, 0);
    EXPECT_EQ(control->extender().geometry().topLeft(), QPoint(32767 % 300, 32767 % 190));
    EXPECT_EQ(form->ScaleMode(), platform::vbTwips);
    EXPECT_EQ(control->ScaleMode(), platform::vbTwips);
}

TEST_F(TanimateTest, AMissingFirstPointIsASubscriptErrorThatLeaksNothing)
{
    const int dcs = platform::gdi::liveDCs(), bitmaps = platform::gdi::liveBitmaps();
    try {
        control->Tanimate(CoordTable(2, 5, 0, 2), 0, 0);
        ADD_FAILURE() << "no error";
    } catch (const RunTimeError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("The table of points of a slide: Subscript out of range"));
    }
    EXPECT_FALSE(control->extender().Visible());
    EXPECT_EQ(platform::gdi::liveDCs(), dcs);
    EXPECT_EQ(platform::gdi::liveBitmaps(), bitmaps);
}
