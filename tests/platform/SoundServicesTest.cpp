// The windowing services around the sound: the message box, the program's folder, the
// second-copy lock, and a machine without any audio server. The last two need a second
// process: the test program runs itself with its ChildProcess case selected.
#include "platform/Clock.h"
#include "platform/LineBreaks.h"
#include "platform/MessageBox.h"
#include "platform/Mp3Player.h"
#include "platform/ProgramFolder.h"
#include "platform/SingleInstance.h"
#include "platform/Sound.h"
#include "tests/support/TestFolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSignalSpy>
#include <QThread>
#include <gtest/gtest.h>

using platform::Clock;

namespace {

// Starts this test program running ChildProcess.SoundInRole in the given role, with extra environment.
void startChild(QProcess& child, const QString& role, std::initializer_list<std::pair<QString, QString>> environment)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment)
        env.insert(name, value);
    env.insert("QUORVEL_SOUND_CHILD", role);
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--gtest_filter=ChildProcess.SoundInRole")});
    ASSERT_TRUE(child.waitForStarted(5000));
}

TEST(SoundMsgBox, HookSeesTheCallAndCarriageReturnsBecomeLineBreaks)
{
    QString seen;
    setMsgBoxHook([&](const QString& text, int32_t style, const QString& title) {
        seen = QStringLiteral("%1|%2|%3").arg(title, text).arg(style);
    });
    EXPECT_EQ(MsgBox("first\r\rsecond", vbCritical, "No Sound Card"), vbOK);
    setMsgBoxHook(nullptr);
    EXPECT_EQ(seen, "No Sound Card|first\r\rsecond|16");
    EXPECT_EQ(shownLineBreaks("a\rb\r\nc\nd\r\r"), "a\nb\nc\nd\n\n");
}

TEST(SoundProgramFolder, IsTheFolderOfTheRunningProgramAndTheLockIsKeyedByUser)
{
    EXPECT_EQ(platform::ProgramFolder(), QFileInfo(QCoreApplication::applicationFilePath()).absolutePath());
    EXPECT_TRUE(platform::SingleInstance::defaultLockPath().contains(QString::number(::getuid())));
}

TEST(SoundSingleInstance, ALivingHolderBlocksAKilledOneDoesNotAndAgeNeverDoes)
{
    TestFolder folder;
    const QString lock = folder.file("quorvel.lock");
    QProcess holder;
    startChild(holder, "HoldLock", {{"QUORVEL_LOCK", lock}});
    QByteArray said;
    while (!said.contains("locked") && holder.waitForReadyRead(10000))
        said += holder.readAll();
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
    EXPECT_FALSE(next.PrevInstance() || next.PrevInstance()) << "asking again does not find itself";
    EXPECT_TRUE(platform::SingleInstance(lock).PrevInstance());
}

TEST(SoundNoServer, NoOutputsYetClipsKeepTheirTiming)
{
    QProcess child;
    TestFolder empty;
    startChild(child, "NoServer", {{"PULSE_SERVER", "unix:" + empty.file("no-such-socket")}, {"XDG_RUNTIME_DIR", empty.path()}});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray output = child.readAll();
    EXPECT_TRUE(child.exitCode() == 0 && output.contains("[  PASSED  ] 1 test")) << output.constData();
}

// Runs only in a child process started by the cases above, in the role they give it; CTest
// does not list it (see quorvel_add_gtest).
TEST(ChildProcess, SoundInRole)
{
    const QString role = qEnvironmentVariable("QUORVEL_SOUND_CHILD");
    if (role == "HoldLock") {
        platform::SingleInstance instance(qEnvironmentVariable("QUORVEL_LOCK"));
        ASSERT_FALSE(instance.PrevInstance());
        printf("locked\n");
        fflush(stdout);
        QThread::sleep(60);
    }
    if (role != "NoServer")
        GTEST_SKIP() << "runs only as a child of SoundSingleInstance or SoundNoServer";
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
