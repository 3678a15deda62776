// The intro window on Qt's offscreen platform: its load step with real files in a temporary
// folder, and the intro's skip rules with a scripted clock and scripted double-clicks.
#include "startup/Form1.h"

#include "core/GameState.h"
#include "platform/MessageBox.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"
#include "tests/startup/ScriptedClock.h"
#include "platform/Sound.h"
#include "tests/support/TestFolder.h"
#include "transpik/transpik.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

class Form1Test : public testing::Test {
protected:
    void SetUp() override
    {
        resetGame();
        game().TwipsPerPixelX = game().TwipsPerPixelY = 15;
        platform::ScreenMetrics::setOverride(platform::ScreenInfo{1024, 768, 15, 15});
        platform::setAudioOutputCountOverride(1);
        setMsgBoxHook([this](const QString& text, int32_t style, const QString& title) {
            boxes << QStringLiteral("%1 | %2 | %3").arg(title).arg(style).arg(text);
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
    QStringList boxes;  // "title | style | text" of every message box shown
};

QString withoutSlash(const TestFolder& folder) { return folder.path().chopped(1); }

TEST_F(Form1Test, LoadFixesTheDataFolderAndThePathsWithOneSlash)
{
    // With or without its separator (the root has one), the folder gets exactly one.
    for (const QString& given : {"  " + withoutSlash(folder) + " ", folder.path()}) {
        resetGame();
        game().TwipsPerPixelX = game().TwipsPerPixelY = 15;
        auto form = loadedForm(given);
        EXPECT_EQ(game().DataFolder, folder.path());
        EXPECT_EQ(game().BankFile, folder.path() + "DATA.ASC");
        EXPECT_EQ(game().PlainBankFile, folder.path() + "DATANON.ASC");
        EXPECT_EQ(game().UserFile, folder.path() + "USER.ASC");
    }
    // The progress was created with its defaults.
    EXPECT_TRUE(folder.read("USER.ASC").startsWith("PLEASE DO NOT MODIFY THIS FILE!\r\n"));
    EXPECT_EQ(game().CurrentQuestion, 1);

    // A folder without question bank stops the load, naming it; nothing is created there.
    TestFolder empty;
    try {
        loadedForm(withoutSlash(empty));
        FAIL() << "a folder without DATA.ASC was accepted";
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.message().contains(empty.path() + "DATA.ASC")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFile::exists(empty.file("USER.ASC")));
}

TEST_F(Form1Test, AnInstalledGameReadsItsSharedDataAndKeepsProgressPerPlayer)
{
    // The installed layouts: PREFIX/games/ (Debian's place for games) or PREFIX/bin/ beside
    // PREFIX/share/quorvel-challenge/.
    for (const char* programFolder : {"games", "bin"}) {
        SCOPED_TRACE(programFolder);
        resetGame();
        game().TwipsPerPixelX = game().TwipsPerPixelY = 15;
        TestFolder prefix, home;
        QDir(prefix.path()).mkpath(programFolder);
        QDir(prefix.path()).mkpath("share/quorvel-challenge");
        prefix.write("share/quorvel-challenge/DATA.ASC", "bank\r\n");
        qputenv("XDG_DATA_HOME", home.path().toLocal8Bit());
        auto form = loadedForm(prefix.path() + programFolder);
        qunsetenv("XDG_DATA_HOME");
        EXPECT_EQ(game().BankFile, prefix.path() + "share/quorvel-challenge/DATA.ASC");
        EXPECT_EQ(game().UserFile, home.path() + QCoreApplication::applicationName() + "/USER.ASC");
        EXPECT_TRUE(QFile::exists(game().UserFile));
        EXPECT_FALSE(QFile::exists(prefix.file("share/quorvel-challenge/USER.ASC")));
    }
}

TEST_F(Form1Test, SoundIsOnWithASoundCardAndOffWithAMessageWithoutOne)
{
    for (const int cards : {1, 0}) {
        SCOPED_TRACE(cards);
        platform::setAudioOutputCountOverride(cards);
        folder.write("USER.ASC", "x\r\n0    'Sound on/off\r\n4    'Current question \r\n2    '# Correct\r\n"
                                 "1    '# Incorrect\r\n");
        boxes.clear();
        auto form = loadedForm(withoutSlash(folder));
        EXPECT_EQ(game().SoundCard, cards);
        EXPECT_EQ(game().SoundOn, cards);  // whatever the progress says
        EXPECT_EQ(game().CurrentQuestion, 4);
        EXPECT_EQ(boxes.size(), 1 - cards);
    }
    EXPECT_EQ(boxes, QStringList("No Sound Card | 16 | "
              "I could certainly be wrong, but it appears that this computer doesn't have a sound card."
              "\r\rTo answer some of the questions you'll need to be able to hear some music clips."));
}

// --- the intro and its skip rules --------------------------------------------------------------

constexpr int FirstPassFrames = 10;
constexpr int SlideFrames = 515;  // 1024 x 768 with a 599 x 127 title
constexpr int WipeSteps = 301;    // from the centre: 0..300

TEST_F(Form1Test, IntroRunsItsStepsAndADoubleClickSkipsWhatIsLeft)
{
    using When = std::function<bool(const ScriptedClock&)>;
    const struct {
        const char* name;
        When doubleClick;
        int frames, wipeSteps;  // pauses of 4 ms and of 1 ms
        bool dissolved, hidden;
        QPoint title;
    } runs[] = {
        {"not skipped", nullptr, FirstPassFrames + SlideFrames, WipeSteps, true, false, {212, 539}},
        // The pass stops at its second frame, left where it stopped: never placed, no wipe.
        {"in the first pass", [](const ScriptedClock& c) { return c.pausesOf(4) == 1; }, 1, 0, false, true, {1034, 2}},
        // The slide ends at the point read but not drawn, and the wipe is skipped.
        {"in the slide", [](const ScriptedClock& c) { return c.pausesOf(4) == FirstPassFrames + 50; },
         FirstPassFrames + 50, 0, true, true, {212, 25 + 50}},
        // The dissolve and the pause run to their end; the slide's first yield sees it: nothing drawn.
        {"in the dissolve", [](const ScriptedClock& c) { return c.elapsed() > 1.0; }, FirstPassFrames, 0, true,
         false, {212, 25}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.name);
        auto form = loadedForm(withoutSlash(folder));
        game().SoundOn = 0;  // the animation is the same without sound
        game().SkipIntro = 0;
        int unloads = 0;
        QObject::connect(form.get(), &Form1::unloaded, [&] { ++unloads; });
        ScriptedClock clock;
        if (run.doubleClick) {
            // A double-click on the intro window, queued as the window system would deliver it.
            clock.at(run.doubleClick, [&form] {
                for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                                  QEvent::MouseButtonRelease}) {
                    const auto buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
                    const QPointF at(500, 700);
                    QApplication::postEvent(form.get(), new QMouseEvent(type, at, form->mapToGlobal(at),
                                                                        Qt::LeftButton, buttons, Qt::NoModifier));
                }
            });
        }
        form->Form_Activate();
        EXPECT_EQ(game().SkipIntro, run.doubleClick ? 1 : 0);
        EXPECT_EQ(clock.pausesOf(4), run.frames);
        EXPECT_EQ(clock.pausesOf(1), run.wipeSteps);
        EXPECT_EQ(clock.elapsed() >= 3.0, run.dissolved);
        const platform::Surface& title = form->Pic1->extender();
        EXPECT_EQ(QPoint(int(title.Left()), int(title.Top())), run.title);
        if (run.hidden) {
            EXPECT_FALSE(title.Visible());
        }
        EXPECT_EQ(unloads, 1);
        EXPECT_EQ(form1Reference(), nullptr);
    }
}

TEST_F(Form1Test, ASecondActivationStartsNothing)
{
    auto form = loadedForm(withoutSlash(folder));
    game().SoundOn = 0;
    int unloads = 0;
    QObject::connect(form.get(), &Form1::unloaded, [&] { ++unloads; });
    ScriptedClock clock;
    // The window loses and regains the focus while the slide runs.
    clock.at([](const ScriptedClock& c) { return c.pausesOf(4) == FirstPassFrames + 5; }, [&form] {
        QApplication::postEvent(form.get(), new QEvent(QEvent::WindowDeactivate));
        QApplication::postEvent(form.get(), new QEvent(QEvent::WindowActivate));
    });
    form->Form_Activate();
    EXPECT_EQ(clock.pausesOf(4), FirstPassFrames + SlideFrames);
    EXPECT_EQ(clock.pausesOf(1), WipeSteps);
    const auto pauses = clock.pauses;
    form->Form_Activate();  // and once more after the end
    EXPECT_EQ(clock.pauses, pauses);
    EXPECT_EQ(unloads, 1);
}

} // namespace
