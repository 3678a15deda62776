// The windowing services around the sound: the message box, the program's folder, the
// second-copy lock, and a machine without any audio server. The last two need a second
// process: the test program runs itself with a SoundChild case selected.
#include "Clock.h"
#include "LineBreaks.h"
#include "MessageBox.h"
#include "Mp3Player.h"
#include "ProgramFolder.h"
#include "SingleInstance.h"
#include "Sound.h"
#include "support/TestFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

using platform::Clock;

namespace {

const char* ChildRole = "QUORVEL_SOUND_CHILD";

// Starts this test program running one SoundChild case, with extra environment.
void startChild(QProcess& child, const char* testCase, const QStringList& environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString& entry : environment)
        env.insert(entry.section('=', 0, 0), entry.section('=', 1));
    env.insert(ChildRole, testCase);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=SoundChild.") + testCase});
    ASSERT_TRUE(child.waitForStarted(5000));
}

bool isChild(const char* testCase) { return qEnvironmentVariable(ChildRole) == QLatin1String(testCase); }

TEST(SoundMsgBox, HookSeesTheCallAndCarriageReturnsBecomeLineBreaks)
{
    QString seen;
    int32_t style = 0;
    setMsgBoxHook([&](const QString& text, int32_t s, const QString& title) {
        seen = title + "|" + text;
        style = s;
    });
    EXPECT_EQ(MsgBox("first\r\rsecond", vbCritical, "No Sound Card"), vbOK);
    setMsgBoxHook(nullptr);
    EXPECT_EQ(seen, "No Sound Card|first\r\rsecond");
    EXPECT_EQ(style, 16);
    EXPECT_EQ(shownLineBreaks("a\rb\r\nc\nd\r\r"), "a\nb\nc\nd\n\n");
}

TEST(SoundProgramFolder, IsTheFolderOfTheRunningProgram)
{
    EXPECT_EQ(ProgramFolder(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
}

TEST(SoundSingleInstance, ALivingHolderBlocksAKilledOneDoesNotAndAgeNeverDoes)
{
    TestFolder folder;
    const QString lock = folder.file("quorvel.lock");
    QProcess holder;
    startChild(holder, "HoldLock", {"QUORVEL_LOCK=" + lock});
    ASSERT_TRUE(holder.waitForReadyRead(10000));
    const double limit = Clock::now() + 10;
    while (!holder.readAll().contains("locked") && Clock::now() < limit)
        holder.waitForReadyRead(200);

    // An old lock of a living copy is still its lock.
    QFile file(lock);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addDays(-1), QFileDevice::FileModificationTime));
    file.close();
    EXPECT_TRUE(platform::SingleInstance(lock).PrevInstance());

    holder.kill();  // SIGKILL: no chance to remove the lock file
    holder.waitForFinished(5000);
    ASSERT_TRUE(QFile::exists(lock));
    platform::SingleInstance next(lock);
    EXPECT_FALSE(next.PrevInstance());
    EXPECT_FALSE(next.PrevInstance()) << "asking again does not find itself";
    EXPECT_TRUE(platform::SingleInstance(lock).PrevInstance());
}

TEST(SoundSingleInstance, DefaultLockIsKeyedByUser)
{
    EXPECT_TRUE(platform::SingleInstance::defaultLockPath().contains(QString::number(::getuid())));
}

TEST(SoundNoServer, NoOutputsYetClipsKeepTheirTiming)
{
    QProcess child;
    TestFolder empty;
    startChild(child, "NoServer", {"PULSE_SERVER=unix:" + empty.file("no-such-socket"), "XDG_RUNTIME_DIR=" + empty.path()});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    EXPECT_EQ(child.exitCode(), 0) << output.constData();
    EXPECT_TRUE(output.contains("[  PASSED  ] 1 test")) << output.constData();
}

// The cases below run only in a child process started by the cases above.

TEST(SoundChild, HoldLock)
{
    if (!isChild("HoldLock"))
        GTEST_SKIP() << "runs only as the lock holder of SoundSingleInstance";
    platform::SingleInstance instance(qEnvironmentVariable("QUORVEL_LOCK"));
    ASSERT_FALSE(instance.PrevInstance());
    printf("locked\n");
    fflush(stdout);
    QThread::sleep(60);
}

TEST(SoundChild, NoServer)
{
    if (!isChild("NoServer"))
        GTEST_SKIP() << "runs only without an audio server, started by SoundNoServer";
    EXPECT_EQ(platform::waveOutGetNumDevs(), 0u);
    TestFolder folder;
    const double before = Clock::now();
    EXPECT_EQ(platform::sndPlaySound(folder.file("MISSING.WAV"), 0), 0);
    EXPECT_LT(Clock::now() - before, 1.0) << "nothing to wait for without an output";

    platform::Mp3Player Mp3Play1;
    QSignalSpy ended(&Mp3Play1, &platform::Mp3Player::ThreadEnded);
    ASSERT_EQ(Mp3Play1.OpenClip(QStringLiteral(QUORVEL_TEST_DATA "/SoundClip.mp3"), QString()), 0);
    const double start = Clock::now();
    Mp3Play1.PlayClip();
    EXPECT_TRUE(ended.wait(6000));
    EXPECT_NEAR(Clock::now() - start, 2.0, 0.5);
}

} // namespace
