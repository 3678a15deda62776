// Wipe: each direction covers the whole picture with what lies behind it, one rectangle per
// step with a pause after each.
#include "tests/transpik/TranspikFixture.h"

#include "platform/CallRecorder.h"

using platform::CallRecorder;
using Wipe = TranspikTest;

TEST_F(Wipe, EveryDirectionEndsShowingTheBackground)
{
    // W 61, H 31: cx 30 (30.5 to the even neighbour), cy 16 (15.5), M 30.
    const struct {
        int16_t direction;
        int32_t rate;
        int steps;
        QString first, last;
    } directions[] = {
        {1, 2, 62, "0, 0, 0, 31", "0, 0, 61, 31"},
        {2, 2, 62, "61, 0, 61, 31", "0, 0, 61, 31"},
        {3, 2, 32, "0, 0, 61, 0", "0, 0, 61, 31"},
        {4, 2, 32, "0, 31, 61, 31", "0, 0, 61, 31"},
        // The last square reaches the right edge that the rounded-down half leaves out.
        {5, 2, 31, "30, 16, 0, 0", "0, -14, 61, 60"},
        {1, -5, 62, "0, 0, 0, 31", "0, 0, 61, 31"},  // a negative rate pauses 0 ms
    };
    for (const auto& d : directions) {
        SCOPED_TRACE(testing::Message() << d.direction << " at " << d.rate);
        FakeClock clock;
        makeControl(titleLikeImage(61, 31), 100, 40);
        const QImage background = formArea(QRect(100, 40, 61, 31));
        CallRecorder recorder;
        const QString screen = dcName(control->hDC());
        EXPECT_EQ(control->Wipe(d.direction, d.rate), 0);
        recorder.detach();
        const QStringList calls = recorder.calls();
        const QStringList steps = copiesOnto(calls, screen);
        ASSERT_EQ(steps.size(), d.steps);
        EXPECT_EQ(steps.first(), d.first);
        EXPECT_EQ(steps.last(), d.last);
        EXPECT_EQ(calls.filter(QStringLiteral("Sleep(")).size(), d.steps);
        EXPECT_EQ(clock.pauses, std::vector<int64_t>(d.rate > 0 ? d.steps : 0, d.rate));
        EXPECT_EQ(control->extender().screenImage(), background);
        EXPECT_TRUE(control->extender().Visible());
        EXPECT_FALSE(control->AutoRedraw());
        EXPECT_FALSE(form->AutoRedraw());
    }
}

TEST_F(Wipe, TheCentreWipeOfAnOddSquareCoversTheLastColumnAndRow)
{
    FakeClock clock;
    makeControl(titleLikeImage(101, 101), 10, 10);
    const QImage behind = formArea(QRect(10, 10, 101, 101));
    control->Wipe(5, 0);
    EXPECT_EQ(control->extender().screenImage(), behind);
}

TEST_F(Wipe, AnotherDirectionWipesNothingAndRestoresTheScales)
{
    FakeClock clock;
    form->setScaleMode(platform::vbTwips);
    form->setAutoRedraw(true);
    makeControl(titleLikeImage(61, 31), 0, 0);
    control->setScaleMode(platform::vbInches);
    const int dcs = platform::gdi::liveDCs(), bitmaps = platform::gdi::liveBitmaps();
    EXPECT_EQ(control->Wipe(6, 5), 0);
    EXPECT_TRUE(clock.pauses.empty());
    EXPECT_EQ(control->extender().screenImage(), titleLikeImage(61, 31));
    EXPECT_FALSE(form->AutoRedraw());
    EXPECT_EQ(form->ScaleMode(), platform::vbTwips);
    EXPECT_EQ(control->ScaleMode(), platform::vbInches);
    EXPECT_EQ(platform::gdi::liveDCs(), dcs);
    EXPECT_EQ(platform::gdi::liveBitmaps(), bitmaps);
}
