// The intro window on Qt's offscreen platform: its load step with real files in a temporary
// folder, and the intro's skip rules with a scripted clock and scripted double-clicks.
#include "Form1.h"

#include "GameState.h"
#include "MessageBox.h"
#include "RunTimeError.h"
#include "ScreenMetrics.h"
#include "ScriptedClock.h"
#include "Sound.h"
#include "support/TestFolder.h"
#include "transpik.h"

#include <QApplication>
#include <QDir>
#include <unistd.h>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

struct ShownBox {
    QString text;
    int32_t style = 0;
    QString title;
};

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        resetGame();
        game().TwipsPerPixelX = 15;
        game().TwipsPerPixelY = 15;
        platform::ScreenMetrics::setOverride(platform::ScreenInfo{1024, 768, 15, 15});
        platform::setAudioOutputCountOverride(1);
        setMsgBoxHook([this](const QString& text, int32_t style, const QString& title) {
            boxes.push_back({text, style, title});
        });
        folder.write("DATA.ASC", "bank\r\n");
    }
    void TearDown() override
    {
        setMsgBoxHook(nullptr);
        platform::setAudioOutputCountOverride(std::nullopt);
        platform::ScreenMetrics::setOverride(std::nullopt);
    }

    // A loaded intro window over a 1024 x 768 screen, shown but not yet activated.
    std::unique_ptr<Form1> loadedForm(QString programFolder)
    {
        auto form = std::make_unique<Form1>();
        form->programFolder = [programFolder] { return programFolder; };
        form->Form_Load();
        form->Move(0, 0, 1024 * 15, 768 * 15);
        form->show();
        return form;
    }

    TestFolder folder;
    std::vector<ShownBox> boxes;
};

QString withoutSlash(const TestFolder& folder) { return folder.path().chopped(1); }

TEST_F(Form1Test, LoadFixesTheDataFolderAndThePathsWithOneSlash)
{
    auto form = loadedForm("  " + withoutSlash(folder) + " ");
    EXPECT_EQ(game().DataFolder, folder.path());
    EXPECT_EQ(game().BankFile, folder.path() + "DATA.ASC");
    EXPECT_EQ(game().PlainBankFile, folder.path() + "DATANON.ASC");
    EXPECT_EQ(game().UserFile, folder.path() + "USER.ASC");
    // A folder that already ends with its separator (the root) gets no second one.
    resetGame();
    game().TwipsPerPixelX = game().TwipsPerPixelY = 15;
    auto again = loadedForm(folder.path());
    EXPECT_EQ(game().BankFile, folder.path() + "DATA.ASC");
    // The progress was created with its defaults.
    EXPECT_TRUE(folder.read("USER.ASC").startsWith("PLEASE DO NOT MODIFY THIS FILE!\r\n"));
    EXPECT_EQ(game().CurrentQuestion, 1);
}

TEST_F(Form1Test, LoadStopsNamingAFolderWithoutQuestionBank)
{
    TestFolder empty;
    try {
        loadedForm(withoutSlash(empty));
        FAIL() << "a folder without DATA.ASC was accepted";
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.message().contains(empty.path())) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("DATA.ASC")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(empty.file("USER.ASC")));  // nothing is loaded or created
}

TEST_F(Form1Test, AnInstalledGameReadsItsSharedDataAndKeepsProgressPerPlayer)
{
    // The installed layout: PREFIX/bin/quorvel-challenge and PREFIX/share/quorvel-challenge/.
    TestFolder prefix, home;
    QDir(prefix.path()).mkpath("bin");
    QDir(prefix.path()).mkpath("share/quorvel-challenge");
    prefix.write("share/quorvel-challenge/DATA.ASC", "bank\r\n");
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    auto form = loadedForm(prefix.path() + "bin");
    qunsetenv("XDG_DATA_HOME");
    EXPECT_EQ(game().DataFolder, prefix.path() + "share/quorvel-challenge/");
    EXPECT_EQ(game().BankFile, prefix.path() + "share/quorvel-challenge/DATA.ASC");
    EXPECT_EQ(game().UserFile, home.path() + QCoreApplication::applicationName() + "/USER.ASC");
    EXPECT_TRUE(QFile::exists(game().UserFile));
    EXPECT_FALSE(QFile::exists(prefix.file("share/quorvel-challenge/USER.ASC")));
}

TEST_F(Form1Test, AReadOnlyPortableCopyKeepsProgressInThePlayersFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write any folder, so no folder is read-only here";
    TestFolder home;
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
    auto form = loadedForm(withoutSlash(folder));
    qunsetenv("XDG_DATA_HOME");
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(game().BankFile, folder.path() + "DATA.ASC");
    EXPECT_TRUE(game().UserFile.startsWith(home.path()));
}

TEST_F(Form1Test, WithoutSoundCardTheMessageShowsOnceAndSoundIsOff)
{
    platform::setAudioOutputCountOverride(0);
    folder.write("USER.ASC", "x\r\n1    'Sound on/off\r\n4    'Current question \r\n2    '# Correct\r\n"
                             "1    '# Incorrect\r\n");
    auto form = loadedForm(withoutSlash(folder));
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, "No Sound Card");
    EXPECT_EQ(boxes[0].style, 16);
    EXPECT_EQ(boxes[0].text,
              "I could certainly be wrong, but it appears that this computer doesn't have a sound card."
              "\r\rTo answer some of the questions you'll need to be able to hear some music clips.");
    EXPECT_EQ(game().SoundCard, 0);
    EXPECT_EQ(game().SoundOn, 0);
    EXPECT_EQ(game().CurrentQuestion, 4);
    EXPECT_EQ(game().CorrectCount, 2);
}

TEST_F(Form1Test, WithSoundCardSoundIsOnWhateverTheProgressSays)
{
    folder.write("USER.ASC", "x\r\n0    'Sound on/off\r\n1    'Current question \r\n0    '# Correct\r\n"
                             "0    '# Incorrect\r\n");
    auto form = loadedForm(withoutSlash(folder));
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(game().SoundCard, 1);
    EXPECT_EQ(game().SoundOn, 1);
}

// --- the intro and its skip rules --------------------------------------------------------------

class IntroTest : public Form1Test {
protected:
    void SetUp() override
    {
        Form1Test::SetUp();
        form = loadedForm(withoutSlash(folder));
        game().SoundOn = 0;  // the animation is the same without sound
        QObject::connect(form.get(), &Form1::unloaded, [this] { ++unloads; });
    }

    // A double-click on the intro window, queued as the window system would deliver it.
    void postDoubleClick()
    {
        const QPointF at(500, 700);
        for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                          QEvent::MouseButtonRelease}) {
            const auto buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
            QApplication::postEvent(form.get(), new QMouseEvent(type, at, form->mapToGlobal(at), Qt::LeftButton,
                                                                buttons, Qt::NoModifier));
        }
    }

    platform::Surface& title() { return form->Pic1->extender(); }
    bool dissolved() const { return clock.elapsed() >= 3.0; }

    ScriptedClock clock;
    std::unique_ptr<Form1> form;
    int unloads = 0;
};

constexpr int FirstPassFrames = 10;
constexpr int SlideFrames = 515;  // 1024 x 768 with a 599 x 127 title
constexpr int WipeSteps = 301;    // from the centre: 0..300

TEST_F(IntroTest, RunsFirstPassDissolveSlideAndWipeThenUnloads)
{
    form->Form_Activate();
    EXPECT_EQ(clock.pausesOf(4), FirstPassFrames + SlideFrames);
    EXPECT_EQ(clock.pausesOf(1), WipeSteps);
    EXPECT_TRUE(dissolved());
    EXPECT_EQ(title().Left(), 212);
    EXPECT_EQ(title().Top(), 539);  // where the slide ended
    EXPECT_EQ(unloads, 1);
    EXPECT_EQ(form1Reference(), nullptr);
    EXPECT_EQ(game().SkipIntro, 0);
}

TEST_F(IntroTest, DoubleClickDuringFirstPassSkipsEverythingElse)
{
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == 1; }, [this] { postDoubleClick(); });
    form->Form_Activate();
    EXPECT_EQ(game().SkipIntro, 1);
    EXPECT_EQ(clock.pausesOf(4), 1);  // the pass stopped at its second frame
    EXPECT_EQ(clock.pausesOf(1), 0);  // no wipe
    EXPECT_FALSE(dissolved());
    EXPECT_EQ(title().Left(), 1034);  // left where the pass stopped: never placed
    EXPECT_EQ(title().Top(), 2);
    EXPECT_FALSE(title().Visible());
    EXPECT_EQ(unloads, 1);
}

TEST_F(IntroTest, DoubleClickDuringSlideEndsItAndSkipsTheWipe)
{
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == FirstPassFrames + 50; },
             [this] { postDoubleClick(); });
    form->Form_Activate();
    EXPECT_EQ(clock.pausesOf(4), FirstPassFrames + 50);
    EXPECT_EQ(clock.pausesOf(1), 0);
    EXPECT_EQ(title().Top(), 25 + 50);  // the point read but not drawn
    EXPECT_FALSE(title().Visible());
    EXPECT_EQ(unloads, 1);
}

TEST_F(IntroTest, DoubleClickDuringDissolveWaitsForTheSlidesFirstYield)
{
    clock.at([](const ScriptedClock& c) { return c.elapsed() > 1.0; }, [this] { postDoubleClick(); });
    form->Form_Activate();
    EXPECT_EQ(game().SkipIntro, 1);
    EXPECT_TRUE(dissolved());  // the dissolve and the pause ran to their end
    EXPECT_EQ(clock.pausesOf(4), FirstPassFrames);  // the slide drew nothing
    EXPECT_EQ(clock.pausesOf(1), 0);
    EXPECT_EQ(title().Left(), 212);
    EXPECT_EQ(title().Top(), 25);
    EXPECT_EQ(unloads, 1);
}

TEST_F(IntroTest, ASecondActivationStartsNothing)
{
    // The window loses and regains the focus while the slide runs.
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == FirstPassFrames + 5; }, [this] {
        QApplication::postEvent(form.get(), new QEvent(QEvent::WindowDeactivate));
        QApplication::postEvent(form.get(), new QEvent(QEvent::WindowActivate));
    });
    form->Form_Activate();
    EXPECT_EQ(clock.pausesOf(4), FirstPassFrames + SlideFrames);
    EXPECT_EQ(clock.pausesOf(1), WipeSteps);
    EXPECT_EQ(unloads, 1);
    const auto pauses = clock.pauses;
    form->Form_Activate();  // and once more after the end
    EXPECT_EQ(clock.pauses, pauses);
    EXPECT_EQ(unloads, 1);
}

} // namespace
