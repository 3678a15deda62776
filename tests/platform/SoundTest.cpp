// sndPlaySound and waveOutGetNumDevs against a real audio server (PulseAudio, or PipeWire with
// pipewire-pulse) with a null sink: what is played is recorded from the sink's monitor.
#include "platform/Clock.h"
#include "platform/Sound.h"
#include "tests/platform/SoundTestTools.h"
#include "tests/support/TestFolder.h"

#include <QCoreApplication>
#include <QProcess>
#include <QTimer>
#include <cstdio>
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

    TestFolder folder;
    SinkRecorder recorder;
};

TEST_F(SoundPlayback, SynchronousSoundIsHeardWholeBeforeItReturnsWithOrWithoutAnotherClient)
{
    EXPECT_GE(platform::waveOutGetNumDevs(), 1u) << "the test server's null sink is an output";
    for (const bool otherClient : {false, true}) {
        SCOPED_TRACE(otherClient ? "beside a recorder with the default latency" : "alone on the sink");
        // Another program on the sink: a recorder of its monitor with the server's default
        // (large) latency, which changes how the server schedules every stream on that sink.
        QProcess other;
        if (otherClient) {
            other.start(QStringLiteral("parec"), {QStringLiteral("-d"), qEnvironmentVariable("QUORVEL_TEST_SINK") +
                                                                            QStringLiteral(".monitor")});
            ASSERT_TRUE(other.waitForStarted(3000));
        }
        SinkRecorder heard;
        ASSERT_TRUE(heard.start());
        bool timerRan = false;
        QTimer::singleShot(0, [&] { timerRan = true; });
        const double before = Clock::now();
        EXPECT_EQ(sndPlaySound(folder.file("SHORT.WAV"), 0), 1);
        const double took = Clock::now() - before;
        EXPECT_FALSE(timerRan) << "the synchronous wait let events run";
        QCoreApplication::processEvents();  // the timer runs now, while its flag exists
        // The next sound (here: none) ends what is still playing, so the recording holds what was
        // heard before the call returned.
        sndPlaySound(folder.file("none"), platform::SND_NODEFAULT | platform::SND_ASYNC);
        const auto runs = heard.stop();
        other.kill();
        other.waitForFinished(3000);
        std::printf("0.6 s sound %s: returned after %.3f s\n", otherClient ? "beside a recorder" : "alone", took);
        for (const LoudRun& run : runs)
            std::printf("  heard from %.3f s to %.3f s\n", run.start, run.end);
        EXPECT_GT(took, 0.55);
        EXPECT_LT(took, 1.2) << "a generous bound; SoundBench measures the return time";
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_NEAR(runs[0].length(), 0.6, 0.05) << "the sound was not heard whole";
    }
}

TEST_F(SoundPlayback, AsynchronousSoundReturnsAtOnceAndANewOrFailedSoundCutsItOff)
{
    ASSERT_TRUE(recorder.start());
    const double before = Clock::now();
    EXPECT_EQ(sndPlaySound(folder.file("LONG.WAV"), platform::SND_ASYNC), 1);
    EXPECT_LT(Clock::now() - before, 0.3);
    Clock::sleep(400);  // no events: the sound must go on by itself
    sndPlaySound(folder.file("MISSING.WAV"), platform::SND_ASYNC | platform::SND_NODEFAULT);
    Clock::sleep(300);
    sndPlaySound(folder.file("LONG.WAV"), platform::SND_ASYNC);
    Clock::sleep(500);
    EXPECT_EQ(sndPlaySound(folder.file("SHORT.WAV"), 0), 1);
    const auto runs = recorder.stop();
    ASSERT_FALSE(runs.empty());
    // 0.4 s of the long tone, silence, then 0.5 s of it and the whole short one instead of 2.6 s.
    EXPECT_NEAR(runs[0].length(), 0.4, 0.15);
    EXPECT_NEAR(total(runs), 1.5, 0.25);
}

TEST_F(SoundPlayback, UnplayableFileIsSilentWithNoDefaultAndAlertsWithout)
{
    ASSERT_TRUE(recorder.start());
    EXPECT_EQ(sndPlaySound(folder.file("MISSING.WAV"), platform::SND_ASYNC | platform::SND_NODEFAULT), 0);
    EXPECT_EQ(sndPlaySound(folder.file("TEXT.WAV"), platform::SND_NODEFAULT), 0);
    EXPECT_EQ(sndPlaySound(folder.path(), platform::SND_NODEFAULT), 0);
    Clock::sleep(300);
    const double before = Clock::now();
    EXPECT_EQ(sndPlaySound(folder.file("MISSING.WAV"), 0), 0);
    EXPECT_GT(Clock::now() - before, 0.2) << "the alert of a synchronous call is waited for too";
    const auto runs = recorder.stop();
    ASSERT_FALSE(runs.empty()) << "the alert is heard";
    // Only the alert: one stretch of about 0.3 s. A loaded machine may drop a few milliseconds
    // out of it, so its pieces are measured from the first to the last.
    EXPECT_NEAR(runs.back().end - runs.front().start, 0.3, 0.1) << "only the alert is heard";
    EXPECT_NEAR(total(runs), 0.3, 0.1);
}

} // namespace
