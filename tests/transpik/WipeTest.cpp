// Wipe: each direction covers the whole picture with what lies behind it, one rectangle per
// step with a pause after each.
#include "TranspikFixture.h"

#include "CallRecorder.h"

using platform::CallRecorder;

namespace {

struct Direction {
    int16_t direction;
    int steps;
    QString first, last;
};

} // namespace

class WipeTest : public TranspikTest {
protected:
    // Wipes a 61 x 31 control at (100, 40) and returns the copies onto the control.
    QStringList wipe(int16_t direction, int32_t rate = 2)
    {
        makeControl(titleLikeImage(61, 31), 100, 40);
        background = formArea(QRect(100, 40, 61, 31));
        CallRecorder::start();
        const QString screen = dcName(control->hDC());
        EXPECT_EQ(control->Wipe(direction, rate), 0);
        const QStringList calls = CallRecorder::calls();
        CallRecorder::stop();
        sleeps = calls.filter(QStringLiteral("Sleep(")).size();
        return copiesOnto(calls, screen);
    }
    QImage shownByControl() const { return control->extender().screenImage(); }

    QImage background;
    int sleeps = 0;
};

TEST_F(WipeTest, EveryDirectionEndsShowingTheBackground)
{
    // W 61, H 31: cx 30 (30.5 to the even neighbour), cy 16 (15.5), M 30.
    const Direction directions[] = {
        {1, 62, "0, 0, 0, 31", "0, 0, 61, 31"},
        {2, 62, "61, 0, 61, 31", "0, 0, 61, 31"},
        {3, 32, "0, 0, 61, 0", "0, 0, 61, 31"},
        {4, 32, "0, 31, 61, 31", "0, 0, 61, 31"},
        // The last square reaches the right edge that the rounded-down half leaves out.
        {5, 31, "30, 16, 0, 0", "0, -14, 61, 60"},
    };
    for (const Direction& d : directions) {
        SCOPED_TRACE(d.direction);
        FakeClock clock;
        const QStringList steps = wipe(d.direction);
        ASSERT_EQ(steps.size(), d.steps);
        EXPECT_EQ(steps.first(), d.first);
        EXPECT_EQ(steps.last(), d.last);
        EXPECT_EQ(sleeps, d.steps);
        EXPECT_EQ(clock.pauses, std::vector<int64_t>(d.steps, 2));
        EXPECT_EQ(shownByControl(), background);
        EXPECT_TRUE(control->extender().Visible());
        EXPECT_FALSE(control->AutoRedraw());
        EXPECT_FALSE(form->AutoRedraw());
        EXPECT_EQ(form->ScaleMode(), platform::vbPixels);
    }
}

TEST_F(WipeTest, TheCentreWipeOfAnOddSizeCoversTheLastColumnAndRow)
{
    FakeClock clock;
    makeControl(titleLikeImage(101, 101), 10, 10);
    const QImage behind = formArea(QRect(10, 10, 101, 101));
    control->Wipe(5, 0);
    EXPECT_EQ(control->extender().screenImage(), behind);
}

TEST_F(WipeTest, AnotherDirectionWipesNothing)
{
    FakeClock clock;
    form->setScaleMode(platform::vbTwips);
    form->setAutoRedraw(true);
    makeControl(titleLikeImage(61, 31), 0, 0);
    control->setScaleMode(platform::vbInches);
    const int dcs = platform::gdi::liveDCs();
    const int bitmaps = platform::gdi::liveBitmaps();
    CallRecorder::start();
    EXPECT_EQ(control->Wipe(6, 5), 0);
    CallRecorder::stop();
    EXPECT_EQ(CallRecorder::calls().filter(QStringLiteral("Sleep(")).size(), 0);
    EXPECT_EQ(control->extender().screenImage(), titleLikeImage(61, 31));
    EXPECT_FALSE(form->AutoRedraw());
    EXPECT_EQ(form->ScaleMode(), platform::vbTwips);
    EXPECT_EQ(control->ScaleMode(), platform::vbInches);
    EXPECT_EQ(platform::gdi::liveDCs(), dcs);
    EXPECT_EQ(platform::gdi::liveBitmaps(), bitmaps);
}

TEST_F(WipeTest, ANegativeRatePausesNothing)
{
    FakeClock clock;
    wipe(1, -5);
    EXPECT_EQ(sleeps, 62);
    EXPECT_TRUE(clock.pauses.empty());
    EXPECT_EQ(shownByControl(), background);
}
