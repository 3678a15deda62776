// The clip player Mp3Play1's stand-in, on the real media framework. The clip is
// tests/data/SoundClip.mp3, two seconds of a chord:
//   sox -n -r 22050 -c 1 clip.wav synth 2 sine 523.25 sine 659.25 vol 0.5 fade 0.02 2 0.05
//   lame -t -b 32 clip.wav SoundClip.mp3
#include "platform/Clock.h"
#include "platform/Mp3Player.h"
#include "tests/platform/SoundTestTools.h"
#include "tests/support/TestFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

using platform::Clock;
using platform::Mp3Player;

namespace {

const QString Clip = QStringLiteral(QUORVEL_TEST_DATA "/SoundClip.mp3");

// Lets events run until the spy has count reports or the time is up.
bool eventsUntil(const QSignalSpy& spy, int count, double seconds)
{
    const double limit = Clock::now() + seconds;
    while (spy.count() < count && Clock::now() < limit) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        Clock::sleep(5);
    }
    return spy.count() >= count;
}

class SoundMp3Player : public testing::Test {
protected:
    void SetUp() override
    {
        if (qEnvironmentVariableIsSet("QUORVEL_NO_AUDIO_REASON"))
            GTEST_SKIP() << qPrintable(qEnvironmentVariable("QUORVEL_NO_AUDIO_REASON"));
    }
    void TearDown() override { Mp3Player::setEndReportsEnabled(true); }

    Mp3Player Mp3Play1;
    QSignalSpy ended{&Mp3Play1, &Mp3Player::ThreadEnded};
};

TEST_F(SoundMp3Player, ClipPlaysToItsEndIsHeardAndReportsOnceThroughTheEventLoop)
{
    SinkRecorder recorder;
    ASSERT_TRUE(recorder.start());
    ASSERT_EQ(Mp3Play1.OpenClip(Clip, QString()), 0);
    EXPECT_EQ(Mp3Play1.ClipState(), 0);
    const double before = Clock::now();
    Mp3Play1.PlayClip();
    EXPECT_LT(Clock::now() - before, 0.3) << "PlayClip must return at once";
    EXPECT_NE(Mp3Play1.ClipState(), 0);

    // The game lets events run while a clip plays: a clip the framework ends falsely at its
    // start is played again from there.
    EXPECT_FALSE(eventsUntil(ended, 1, 0.5));
    // Without events the end is not seen, even after the rest of the clip's length. The recorder
    // reads on meanwhile (that runs no events): a recording left unread would lose the sound.
    recorder.take(2.2);
    EXPECT_EQ(ended.count(), 0);
    ASSERT_TRUE(eventsUntil(ended, 1, 3));
    EXPECT_EQ(Mp3Play1.ClipState(), 0);
    EXPECT_FALSE(eventsUntil(ended, 2, 0.3)) << "one report only";

    EXPECT_NEAR(total(recorder.stop()), 2.0, 0.3);
}

TEST_F(SoundMp3Player, StopClipEndsPlaybackAndTheReportFollowsQueued)
{
    for (int time = 1; time <= 2; ++time) {  // opened again after its end, the clip plays again
        ASSERT_EQ(Mp3Play1.OpenClip(Clip, QString()), 0);
        Mp3Play1.PlayClip();
        // Playing from the call on, even where the framework confirms a moment later.
        EXPECT_NE(Mp3Play1.ClipState(), 0);
        eventsUntil(ended, time, 0.3);
        EXPECT_NE(Mp3Play1.ClipState(), 0);
        Mp3Play1.StopClip();
        EXPECT_EQ(Mp3Play1.ClipState(), 0);
        EXPECT_EQ(ended.count(), time - 1) << "the report must wait for the event loop";
        ASSERT_TRUE(eventsUntil(ended, time, 1));
    }
    Mp3Play1.CloseClip();
    // Suppressed end reports never come.
    Mp3Player::setEndReportsEnabled(false);
    ASSERT_EQ(Mp3Play1.OpenClip(Clip, QString()), 0);
    Mp3Play1.PlayClip();
    Mp3Play1.StopClip();
    EXPECT_FALSE(eventsUntil(ended, 3, 0.5));
}

TEST_F(SoundMp3Player, EveryOperationBeforeTheFirstClipIsHarmlessAndReportsNothing)
{
    // The quiz stops and closes the player on its way out whether or not a clip ever played.
    Mp3Play1.PlayClip();
    EXPECT_EQ(Mp3Play1.ClipState(), 0);
    Mp3Play1.StopClip();
    Mp3Play1.CloseClip();
    EXPECT_FALSE(eventsUntil(ended, 1, 0.3));
    ASSERT_EQ(Mp3Play1.OpenClip(Clip, QString()), 0);  // the first clip still loads
}

TEST_F(SoundMp3Player, OpenClipRefusesWhatIsNoPlayableClip)
{
    TestFolder folder;
    folder.write("NOTES.MP3", "Not a clip at all, only a few words of text.\r\n");
    QDir(folder.path()).mkdir("FOLDER.MP3");
    for (const QString& path : {folder.file("MISSING.MP3"), QString(), folder.path(), folder.file("FOLDER.MP3"),
                                folder.file("NOTES.MP3")}) {
        SCOPED_TRACE(path.toStdString());
        EXPECT_NE(Mp3Play1.OpenClip(path, QString()), 0);
        Mp3Play1.PlayClip();
        EXPECT_EQ(Mp3Play1.ClipState(), 0);
    }
    EXPECT_FALSE(eventsUntil(ended, 1, 0.3));
}

} // namespace
