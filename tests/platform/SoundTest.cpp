// sndPlaySound and waveOutGetNumDevs against a real PulseAudio server with a null sink: what is
// played is recorded from the sink's monitor.
#include "Clock.h"
#include "Sound.h"
#include "SoundTestTools.h"
#include "support/TestFolder.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

using platform::Clock;
using platform::sndPlaySound;

namespace {

class SoundPlayback : public testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsSet("QUORVEL_NO_AUDIO_REASON"))
            GTEST_SKIP() << qPrintable(qEnvironmentVariable("QUORVEL_NO_AUDIO_REASON"));
        writeToneWav(folder.file("LONG.WAV"), 2.0, 440);
        writeToneWav(folder.file("SHORT.WAV"), 0.6, 660);
        folder.write("TEXT.WAV", "this is no sound at all, only words\r\n");
    }
    void TearDown() override { sndPlaySound(folder.file("none"), platform::SND_NODEFAULT | platform::SND_ASYNC); }

    double total(const std::vector<LoudRun>& runs)
    {
        double sum = 0;
        for (const LoudRun& r : runs)
            sum += r.length();
        return sum;
    }

    TestFolder folder;
    SinkRecorder recorder;
};

TEST_F(SoundPlayback, SynchronousSoundIsHeardAndHoldsTheCallerWithoutRunningEvents)
{
    ASSERT_TRUE(recorder.start());
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    const double before = Clock::now();
    EXPECT_EQ(sndPlaySound(folder.file("SHORT.WAV"), 0), 1);
    const double took = Clock::now() - before;
    EXPECT_FALSE(timerRan) << "the synchronous wait let events run";
    EXPECT_GT(took, 0.55);
    EXPECT_LT(took, 1.5);
    const auto runs = recorder.stop();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NEAR(runs[0].length(), 0.6, 0.1);
    QCoreApplication::processEvents();
    EXPECT_TRUE(timerRan);
}

TEST_F(SoundPlayback, AsynchronousSoundReturnsAtOnceAndANewSoundCutsItOff)
{
    ASSERT_TRUE(recorder.start());
    const double before = Clock::now();
    EXPECT_EQ(sndPlaySound(folder.file("LONG.WAV"), platform::SND_ASYNC), 1);
    EXPECT_LT(Clock::now() - before, 0.3);
    Clock::sleep(500);  // no events: the sound must go on by itself
    EXPECT_EQ(sndPlaySound(folder.file("SHORT.WAV"), 0), 1);
    const auto runs = recorder.stop();
    // 0.5 s of the long tone, then the whole short one: about 1.1 s instead of 2.6 s.
    EXPECT_NEAR(total(runs), 1.1, 0.2);
}

TEST_F(SoundPlayback, UnplayableFileIsSilentWithNoDefaultAndAlertsWithout)
{
    ASSERT_TRUE(recorder.start());
    EXPECT_EQ(sndPlaySound(folder.file("MISSING.WAV"), platform::SND_ASYNC | platform::SND_NODEFAULT), 0);
    EXPECT_EQ(sndPlaySound(folder.file("TEXT.WAV"), platform::SND_NODEFAULT), 0);
    EXPECT_EQ(sndPlaySound(folder.path(), platform::SND_NODEFAULT), 0);
    Clock::sleep(300);
    EXPECT_TRUE(recorder.stop().empty()) << "a refused file with the no-default flag made a sound";

    ASSERT_TRUE(recorder.start());
    const double before = Clock::now();
    EXPECT_EQ(sndPlaySound(folder.file("MISSING.WAV"), 0), 0);
    EXPECT_GT(Clock::now() - before, 0.2) << "the alert of a synchronous call is waited for too";
    const auto runs = recorder.stop();
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_NEAR(runs[0].length(), 0.3, 0.1);
}

TEST_F(SoundPlayback, AFailedSoundStillEndsTheOneBefore)
{
    ASSERT_TRUE(recorder.start());
    sndPlaySound(folder.file("LONG.WAV"), platform::SND_ASYNC);
    Clock::sleep(400);
    sndPlaySound(folder.file("MISSING.WAV"), platform::SND_ASYNC | platform::SND_NODEFAULT);
    Clock::sleep(300);
    EXPECT_NEAR(total(recorder.stop()), 0.4, 0.15);
}

TEST(SoundDevices, CountsTheServersOutputAndTheTestCount)
{
    if (qEnvironmentVariableIsSet("QUORVEL_NO_AUDIO_REASON"))
        GTEST_SKIP() << qPrintable(qEnvironmentVariable("QUORVEL_NO_AUDIO_REASON"));
    EXPECT_GE(platform::waveOutGetNumDevs(), 1u);
    platform::setAudioOutputCountOverride(0);
    EXPECT_EQ(platform::waveOutGetNumDevs(), 0u);
    platform::setAudioOutputCountOverride(std::nullopt);
}

} // namespace
