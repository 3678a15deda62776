#include "core/GameState.h"
#include "questions/ProgressFile.h"
#include "tests/support/TestFolder.h"

#include <QDir>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

// A saver killed with SIGKILL at a random moment leaves USER.ASC as one whole save: the
// header, and values that belong together (the loop saves n, n and -n).
TEST(ProgressCrashSafety, AKilledSaveLeavesTheOldOrTheNewProgressNeverATornFile)
{
    TestFolder folder;
    const QString user = folder.file("USER.ASC");
    QRandomGenerator random(20261206);
    int kills = 0;
    for (int round = 0; round < 200; ++round) {
        QProcess saver;
        saver.start(SAVE_LOOP, {user});
        ASSERT_TRUE(saver.waitForStarted());
        QThread::usleep(random.bounded(500u, 15000u));
        ::kill(static_cast<pid_t>(saver.processId()), SIGKILL);
        saver.waitForFinished();
        ++kills;
        if (!QFile::exists(user))
            continue;  // killed before its first save finished: nothing was there to tear

        resetGame();
        game().UserFile = user;
        int16_t load = 1;
        ASSERT_NO_THROW(ProgressFile(load)) << "round " << round << ":\n" << folder.read("USER.ASC").toStdString();
        EXPECT_EQ(game().SoundOn, 1);
        EXPECT_GE(game().CurrentQuestion, 1);
        EXPECT_EQ(game().CorrectCount, game().CurrentQuestion) << "round " << round;
        EXPECT_EQ(game().IncorrectCount, -game().CurrentQuestion) << "round " << round;
        EXPECT_TRUE(folder.read("USER.ASC").startsWith("Please do NOT modify this file!\r\n"));
    }
    EXPECT_EQ(kills, 200);
}
