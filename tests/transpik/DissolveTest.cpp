// Dissolve and Dissolve2: random blocks from the program-wide generator until the time is up,
// then one full copy; both make the same calls.
#include "tests/transpik/TranspikFixture.h"

#include "platform/CallRecorder.h"
#include "platform/Random.h"

#include <QEvent>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

using platform::CallRecorder;

class DissolveTest : public TranspikTest {
protected:
    void SetUp() override
    {
        TranspikTest::SetUp();
        makeControl(titleLikeImage(61, 31), 100, 40);
        background = formArea(QRect(100, 40, 61, 31));
    }

    // One recorded run on a fresh seed and a clock that moves 2 ms per reading.
    QStringList record(int32_t (transpik::*method)(int16_t, int16_t, int32_t), int16_t dType, int16_t dSize,
                       int32_t dRate)
    {
        FakeClock clock(0.002);
        platform::Randomize(7);
        CallRecorder recorder;
        screen = dcName(control->hDC());
        EXPECT_EQ((control.get()->*method)(dType, dSize, dRate), 0);
        return recorder.calls();
    }
    // The random blocks: copies of dSize x dSize onto the control's screen.
    QStringList blocks(const QStringList& calls, int size) const
    {
        return copiesOnto(calls, screen).filter(QRegularExpression(QStringLiteral(", %1, %1$").arg(size)));
    }

    QImage background;
    QString screen;
};

TEST_F(DissolveTest, InEndsWithThePictureOutWithTheBackgroundBlocksOnTheGrid)
{
    const QStringList in = record(&transpik::Dissolve2, 1, 3, 1);
    EXPECT_EQ(control->extender().screenImage(), titleLikeImage(61, 31));
    static const QRegularExpression corner(QStringLiteral("^(\\d+), (\\d+),"));
    QSet<QString> seen;
    for (const QString& block : blocks(in, 3)) {
        const auto m = corner.match(block);
        ASSERT_TRUE(m.hasMatch()) << block.toStdString();
        const int x = m.captured(1).toInt(), y = m.captured(2).toInt();
        ASSERT_TRUE(x % 3 == 0 && y % 3 == 0 && x <= 60 && y <= 30) << block.toStdString();
        seen.insert(block);
    }
    // 21 columns (0 .. 60) by 11 rows (0 .. 30), the last ones cut by the edge: nearly all of
    // them are drawn before the final copy, the cut ones too.
    EXPECT_GE(seen.size(), 21 * 11 * 95 / 100);
    EXPECT_FALSE(blocks(in, 3).filter(QRegularExpression(QStringLiteral("^60, "))).isEmpty());
    EXPECT_FALSE(blocks(in, 3).filter(QRegularExpression(QStringLiteral("^\\d+, 30, "))).isEmpty());

    record(&transpik::Dissolve, 0, 3, 1);
    EXPECT_EQ(control->extender().screenImage(), background);
    EXPECT_TRUE(control->extender().Visible());
    EXPECT_FALSE(control->AutoRedraw());
    EXPECT_FALSE(form->AutoRedraw());
}

TEST_F(DissolveTest, SizeBelowOneIsOneAndRateZeroDrawsNoBlock)
{
    const QStringList sizeOne = record(&transpik::Dissolve, 1, 1, 1);
    EXPECT_EQ(record(&transpik::Dissolve, 1, 0, 1), sizeOne);
    EXPECT_GT(blocks(sizeOne, 1).size(), 900);
    // A negative rate dissolves for one second: as many readings as with rate 1.
    EXPECT_EQ(record(&transpik::Dissolve, 1, 1, -5), sizeOne);

    EXPECT_TRUE(blocks(record(&transpik::Dissolve, 1, 1, 0), 1).isEmpty());
    EXPECT_EQ(control->extender().screenImage(), titleLikeImage(61, 31));
}

TEST_F(DissolveTest, Dissolve2MakesTheSameCallsAsDissolve)
{
    for (int16_t dType : {int16_t(0), int16_t(1), int16_t(2)}) {
        SCOPED_TRACE(dType);
        EXPECT_EQ(record(&transpik::Dissolve2, dType, 3, 1), record(&transpik::Dissolve, dType, 3, 1));
    }
}

TEST_F(DissolveTest, BlocksAreShownAtDisplayRateNotOneByOne)
{
    // Paints of the control while a one-second dissolve reads a clock that moves 1 ms a reading.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            paints += event->type() == QEvent::Paint;
            return false;
        }
    } counter;
    control->extender().installEventFilter(&counter);
    FakeClock clock(0.001);
    control->Dissolve2(1, 3, 1);
    EXPECT_GE(counter.paints, 55);
    EXPECT_LE(counter.paints, 70);
}

TEST_F(DissolveTest, ThePictureBuildsUpEvenlyOverTheTime)
{
    // The share of the picture's pixels that each shown frame has, over a one-second dissolve
    // in 1-pixel blocks; the clock moves 1 ms a reading.
    const QImage picture = titleLikeImage(61, 31);
    struct ShareRecorder : QObject {
        const platform::Surface* surface = nullptr;
        QImage picture;
        std::vector<double> shares;
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint) {
                const QImage& shown = surface->screenImage();
                int same = 0;
                for (int y = 0; y < picture.height(); ++y)
                    for (int x = 0; x < picture.width(); ++x)
                        same += shown.pixel(x, y) == picture.pixel(x, y);
                shares.push_back(double(same) / (picture.width() * picture.height()));
            }
            return false;
        }
    } recorder;
    recorder.surface = &control->extender();
    recorder.picture = picture;
    control->extender().installEventFilter(&recorder);
    FakeClock clock(0.001);
    control->Dissolve2(1, 1, 1);
    control->extender().removeEventFilter(&recorder);

    const std::vector<double>& shares = recorder.shares;
    ASSERT_GE(shares.size(), 55u);
    EXPECT_TRUE(std::is_sorted(shares.begin(), shares.end()));
    EXPECT_EQ(shares.back(), 1.0);
    // Covered evenly in time: about a quarter, a half and three quarters at those times (the
    // background already matches the picture in a few pixels).
    for (const double quarter : {0.25, 0.5, 0.75}) {
        const double share = shares[size_t(double(shares.size()) * quarter)];
        EXPECT_NEAR(share, quarter, 0.12) << "at " << quarter << " of the time";
    }
}

TEST_F(DissolveTest, AnotherTypeLeavesTheControlHiddenWithItsPersistentImage)
{
    const int dcs = platform::gdi::liveDCs(), bitmaps = platform::gdi::liveBitmaps();
    EXPECT_TRUE(blocks(record(&transpik::Dissolve, 2, 3, 1), 3).isEmpty());
    EXPECT_FALSE(control->extender().Visible());
    EXPECT_TRUE(control->AutoRedraw());
    EXPECT_EQ(form->ScaleMode(), platform::vbPixels);
    EXPECT_EQ(platform::gdi::liveDCs(), dcs);
    EXPECT_EQ(platform::gdi::liveBitmaps(), bitmaps);
}
