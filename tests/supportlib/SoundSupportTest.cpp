// PlayWave and HasSoundCard over the platform's sound calls.
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "support/SoundSupport.h"
#include "tests/platform/SoundTestTools.h"
#include "tests/support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

TEST(SoundSupportSound, PlayWavePassesFlagsAndReportsTheResult)
{
    if (qEnvironmentVariableIsSet("QUORVEL_NO_AUDIO_REASON"))
        GTEST_SKIP() << qPrintable(qEnvironmentVariable("QUORVEL_NO_AUDIO_REASON"));
    TestFolder folder;
    QString file = folder.file("RIGHT.WAV"), missing = folder.file("NULL.WAV");
    writeToneWav(file, 0.4);
    int16_t flags = 0, result = -5;
    const double before = platform::Clock::now();
    PlayWave(file, flags, result);
    EXPECT_GT(platform::Clock::now() - before, 0.35) << "flags 0 waits for the sound";
    EXPECT_EQ(result, 1);

    flags = 3;
    PlayWave(missing, flags, result);
    EXPECT_EQ(result, 0);
}

TEST(SoundSupportSound, HasSoundCardFollowsTheOutputCount)
{
    int16_t flag = 7;
    platform::setAudioOutputCountOverride(0);
    HasSoundCard(flag);
    EXPECT_EQ(flag, 0);
    platform::setAudioOutputCountOverride(2);
    HasSoundCard(flag);
    EXPECT_EQ(flag, 1);
    platform::setAudioOutputCountOverride(std::nullopt);
}

} // namespace
