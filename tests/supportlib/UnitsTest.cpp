// Twips to pixels by the screen's twips per pixel from the game state.
#include "core/GameState.h"
#include "core/RunTimeError.h"
#include "support/Units.h"

#include <gtest/gtest.h>

namespace {

class SoundSupportUnits : public testing::Test {
protected:
    void SetUp() override
    {
        resetGame();
        game().TwipsPerPixelX = 15;
        game().TwipsPerPixelY = 12;
    }
    void TearDown() override { resetGame(); }
};

TEST_F(SoundSupportUnits, RoundsToTheNearestPixelHalvesToEven)
{
    const std::pair<double, int32_t> cases[] = {{1500, 100}, {22, 1}, {7.5, 0}, {22.5, 2}, {-22.5, -2}};
    for (const auto& [twips, pixels] : cases)  // 7.5 is half a pixel: to even, 0
        EXPECT_EQ(TwipsToPixelsX(twips), pixels) << twips;
    EXPECT_EQ(TwipsToPixelsY(1500), 125); // Y has its own twips per pixel
    EXPECT_EQ(TwipsToPixelsY(18), 2);     // 1.5 -> 2
}

TEST_F(SoundSupportUnits, UnsetScaleAndHugeMeasuresAreErrorsSayingWhatFailed)
{
    game().TwipsPerPixelY = 0;
    try {
        TwipsToPixelsY(100);
        FAIL() << "no error for a division by zero";
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.message().contains("Division by zero"));
        EXPECT_TRUE(e.message().contains("before the screen was measured"));
        EXPECT_FALSE(e.message().contains(".cpp"));
    }
    EXPECT_THROW(TwipsToPixelsX(15.0 * 2147483648.0), RunTimeError);
    EXPECT_EQ(TwipsToPixelsX(15.0 * 2147483647.0), 2147483647);
}

} // namespace
