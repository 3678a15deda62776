// The intro's path and time arithmetic, with the worked 1024 x 768 screen and a 599 x 127 title.
#include "startup/IntroPlan.h"

#include <QPoint>
#include <gtest/gtest.h>

using namespace intro;

TEST(IntroPlan, FirstPassRunsJustRightOfTheFormInATableAsTallAsTheForm)
{
    const PathTable path = FirstPassPath(1024, 768);
    EXPECT_EQ(path.points, 10);
    EXPECT_NO_THROW(path.coords(768, 2));
    EXPECT_ANY_THROW(path.coords(769, 2));
    for (int i = 1; i <= 10; ++i)
        EXPECT_EQ(QPoint(path.coords(i, 1), path.coords(i, 2)), QPoint(1034, i));
    EXPECT_EQ(path.coords(11, 1), 0);
    EXPECT_EQ(FirstPassPath(4, 3).coords(10, 2), 10);  // a tiny form still holds every point
}

TEST(IntroPlan, TitleIsCentredWithHalvesToEvenAndSlidesDownOnePixelPerPoint)
{
    const Position p = TitlePlacement(1024, 599, 127);
    EXPECT_EQ(QPoint(p.left, p.top), QPoint(212, 25));  // 212.5, 25.4
    EXPECT_EQ(TitlePlacement(800, 599, 127).left, 100);  // 100.5
    EXPECT_EQ(TitlePlacement(1026, 599, 127).left, 214); // 213.5

    const PathTable path = SlidePath(212, 25, 768, 127);
    EXPECT_EQ(path.points, 515);
    EXPECT_NO_THROW(path.coords(2 * 768, 2));
    EXPECT_EQ(QPoint(path.coords(1, 1), path.coords(1, 2)), QPoint(212, 25));
    EXPECT_EQ(QPoint(path.coords(515, 1), path.coords(515, 2)), QPoint(212, 539));
    EXPECT_EQ(path.coords(516, 2), 0);

    // A title taller than half the form: no point, but point 1 (the slide reads it) is 0, 0.
    const PathTable none = SlidePath(10, 20, 200, 111);  // last = 20 + 200 - 222 = -2
    EXPECT_EQ(none.points, 0);
    EXPECT_EQ(QPoint(none.coords(1, 1), none.coords(1, 2)), QPoint(0, 0));
}

TEST(IntroPlan, SlideTimeIsWhatIsLeftOfElevenSecondsWithinTwoToNine)
{
    // First pass 0.1 s, dissolve 3.0 s, pause 0.2 s: W = 2.1, 11 - 3.3 - 2.1 = 5.6.
    EXPECT_NEAR(SlideTimeLimit(3.3, WipeShare * 3.0), 5.6f, 1e-5);
    EXPECT_EQ(SlideTimeLimit(10.0, WipeShare * 1.0), 2.0f);  // 0.3 is clamped up
    EXPECT_EQ(SlideTimeLimit(1.0, WipeShare * 0.5), 9.0f);   // 9.65 is clamped down
    // A clock that went backwards or a huge delay never leaves the range.
    EXPECT_EQ(SlideTimeLimit(-100.0, 0), 9.0f);
    EXPECT_EQ(SlideTimeLimit(1e9, 0), 2.0f);
}
