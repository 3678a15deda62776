// The music clips with the real player on a real MP3, played into the test's null sink.
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "platform/Mp3Player.h"
#include "tests/quiz/QuizFixture.h"
#include "quiz/QuizTexts.h"
#include "quiz/Waits.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>

namespace {

class QuizClips : public QuizFixture {
protected:
    explicit QuizClips(bool fakeClock = false) : QuizFixture(fakeClock) {}

    void SetUp() override
    {
        if (qEnvironmentVariableIsSet("QUORVEL_NO_AUDIO_REASON"))
            GTEST_SKIP() << qgetenv("QUORVEL_NO_AUDIO_REASON").toStdString();
        QFile::copy(QStringLiteral(QUORVEL_TEST_DATA "/SoundClip.mp3"), folder.file("CLIP.MP3"));
        for (const char* sound : {"RIGHT.WAV", "WRONG.WAV", "NULL.WAV"})
            QFile::copy(QStringLiteral(QUORVEL_GAME_DATA "/") + sound, folder.file(sound));
        writeBank({PlainQuestion().withClip("CLIP.MP3"), PlainQuestion().withClip("../CLIP.MP3"), PlainQuestion{}});
        writeProgress(1, 1, 0, 0);
        soundOn = 1;
    }

    bool waitForClipEnd() { return WaitWithEvents(10, [] { return game().ClipPlaying == 0; }); }
};

} // namespace

TEST_F(QuizClips, StartSequenceReplayAndEndReport)
{
    const Form2View f = load();
    QSignalSpy ends(f.Mp3Play1, &platform::Mp3Player::ThreadEnded);
    f.window.Form_Activate();
    EXPECT_NE(game().ClipPlaying, 0);
    EXPECT_FALSE(f.Command2->isHidden());

    // Replay while the clip plays neither restarts nor stops it.
    const int32_t before = game().ClipPlaying;
    f.window.Command2_Click();
    EXPECT_EQ(game().ClipPlaying, before);
    EXPECT_EQ(ends.count(), 0);

    ASSERT_TRUE(waitForClipEnd());  // the end report clears the flag
    EXPECT_EQ(ends.count(), 1);

    f.window.Command2_Click();  // after the end, Replay plays the clip again
    EXPECT_NE(f.Mp3Play1->ClipState(), 0);
    ASSERT_TRUE(waitForClipEnd());
}

TEST_F(QuizClips, AnAnswerStopsTheClipAndAClipNameLeadingOutOfTheFolderIsNotPlayed)
{
    const Form2View f = load();
    QSignalSpy ends(f.Mp3Play1, &platform::Mp3Player::ThreadEnded);
    f.window.Form_Activate();
    ASSERT_NE(game().ClipPlaying, 0);
    answer(1);
    EXPECT_EQ(ends.count(), 1);  // stopped, and the end report came before the judging went on
    EXPECT_EQ(game().CorrectCount, 1);

    // Question 2 names "../CLIP.MP3": asked without sound, as a missing clip.
    EXPECT_EQ(game().CurrentQuestion, 2);
    EXPECT_EQ(f.Mp3Play1->ClipState(), 0);
    f.window.Command2_Click();
    EXPECT_EQ(f.Mp3Play1->ClipState(), 0);
}

namespace {

class QuizRefusedClips : public QuizClips {
protected:
    QuizRefusedClips() : QuizClips(true) {}
};

} // namespace

TEST_F(QuizRefusedClips, ANameThatCouldLeadOutOfTheDataFolderIsNotPlayedThoughItsFileIsThere)
{
    // Each name finds a real file, so only the refusal keeps the question silent; the last
    // question's plain name shows that such a file would play.
    const QString self = QDir(folder.path()).dirName();
    const QStringList refused{"../" + self + "/CLIP.MP3", "a/b.MP3", "a\\b.MP3", "..x.MP3"};
    QDir(folder.path()).mkpath("a");
    QList<PlainQuestion> questions;
    for (const QString& name : refused) {
        QFile::copy(folder.file("CLIP.MP3"), folder.file(name));  // "../" names CLIP.MP3 itself
        ASSERT_TRUE(QFile::exists(folder.file(name))) << name.toStdString();
        questions << PlainQuestion().withClip(name);
    }
    writeBank(questions << PlainQuestion().withClip("CLIP.MP3"));

    const Form2View f = load();
    f.window.Form_Activate();
    for (const QString& name : refused) {
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(game().ClipName, name);
        EXPECT_EQ(f.Mp3Play1->ClipState(), 0);
        answer(1);
    }
    EXPECT_EQ(game().ClipName, "CLIP.MP3");
    EXPECT_NE(f.Mp3Play1->ClipState(), 0);
    f.Mp3Play1->StopClip();
}

namespace {

class QuizClipsWithoutEndReport : public QuizClips {
protected:
    QuizClipsWithoutEndReport() : QuizClips(true) { platform::Mp3Player::setEndReportsEnabled(false); }
    ~QuizClipsWithoutEndReport() override { platform::Mp3Player::setEndReportsEnabled(true); }
};

} // namespace

TEST_F(QuizClipsWithoutEndReport, TheAnswerGivesUpWaitingAfterFiveSeconds)
{
    const Form2View f = load();
    f.window.Form_Activate();
    ASSERT_NE(game().ClipPlaying, 0);
    double stoppedAt = 0;
    double lastWaitingPause = 0;
    clock.onPause = [&] {
        if (stoppedAt == 0 && !f.cmdans[1]->isEnabled())
            stoppedAt = clock.t;
        if (game().ClipPlaying != 0)
            lastWaitingPause = clock.t;
    };
    answer(2);
    EXPECT_EQ(game().ClipPlaying, 0);
    EXPECT_EQ(game().IncorrectCount, 1);
    EXPECT_GT(lastWaitingPause - stoppedAt, 4.9);
    EXPECT_LT(lastWaitingPause - stoppedAt, 5.2);
}

namespace {

class QuizClipsOnTheScriptedClock : public QuizClips {
protected:
    QuizClipsOnTheScriptedClock() : QuizClips(true) {}
};

} // namespace

TEST_F(QuizClipsOnTheScriptedClock, ReplayDuringTheRemarkLeavesNoClipUnderTheNextQuestion)
{
    writeBank({PlainQuestion().withClip("CLIP.MP3").withRemark(1, "That was the blues."), PlainQuestion{}});
    const Form2View f = load();
    f.window.show();
    f.window.Form_Activate();
    ASSERT_NE(game().ClipPlaying, 0);
    EXPECT_TRUE(f.Command2->isEnabled());

    bool clicked = false;
    clock.onPause = [&] {
        if (clicked || f.LBLEXTRA->isHidden())
            return;
        clicked = true;
        QTest::mouseClick(f.Command2, Qt::LeftButton);
    };
    answer(1);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("2."));
    EXPECT_TRUE(f.Command2->isHidden());
    EXPECT_EQ(f.Mp3Play1->ClipState(), 0);
    EXPECT_EQ(game().ClipPlaying, 0);
}

TEST_F(QuizClipsWithoutEndReport, EscWhileTheClipIsStoppedLeavesTheWarningWithNoQuestionUnderIt)
{
    const Form2View f = load();
    f.window.show();
    f.window.Form_Activate();
    ASSERT_NE(game().ClipPlaying, 0);
    bool pressed = false;
    clock.onPause = [&] {
        if (pressed || game().ClipPlaying == 0 || f.cmdans[1]->isEnabled())
            return;
        pressed = true;
        QTest::keyClick(f.Command1, Qt::Key_Escape);
    };
    answer(2);
    EXPECT_TRUE(pressed);
    EXPECT_EQ(f.Label4->Caption(), CloseWarningText({2, 0, 1}));
    EXPECT_FALSE(f.Label4->isHidden());
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("1."));  // the next question never went up
    EXPECT_TRUE(f.cmdans[1]->isHidden() && f.Label22->isHidden());
    EXPECT_TRUE(f.Command2->isHidden());
}
