// A whole game in process: judging and counting, the extra remark, the final verdict, the
// close warning, Esc, the progress file, what a screen reader finds, and the faults the game
// turns away.
#include "platform/CommandButton.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "tests/quiz/QuizFixture.h"
#include "quiz/QuizTexts.h"
#include "core/RunTimeError.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QScreen>
#include <QTest>

namespace {

class QuizGame : public QuizFixture {
protected:
    QuizGame()
    {
        const PlainQuestion first = PlainQuestion()
                                        .withAnswers({"Mavis", "Doris & Co", "Gloria", "<b>Beverly</b>"}, 2)
                                        .withRemark(3, "Gloria is his cousin's tuba.");
        const PlainQuestion second = PlainQuestion().asking("<b>Rock</b> & Roll?");
        const PlainQuestion third = PlainQuestion().withAnswers({"A", "B", "C"}, 2);
        writeBank({first, second, third});
    }

    qint64 picture(Form2::DelvoPicture i) const { return view().Imgdelvo[i]->Picture().cacheKey(); }
};

} // namespace

TEST_F(QuizGame, AnswersAreCountedWithTheirPicturesColoursAndExtraRemark)
{
    const Form2View f = start(1, 0, 0, 1);
    EXPECT_EQ(f.Label2->Caption(), QStringLiteral("Question?"));

    // What the window shows while the judging waits.
    QList<qint64> pictures;
    QList<uint32_t> rightAnswerColours;
    int remarkPauses = 0;
    clock.onPause = [&] {
        pictures << picture(Form2::DelvoShown);
        rightAnswerColours << f.LBLANS[game().CorrectAnswer]->ForeColor();
        if (!f.LBLEXTRA->isHidden() && remarkPauses++ == 0)
            answer(2);  // a click while the remark shows is turned away
    };

    answer(3);  // wrong, and the answer with the extra remark
    EXPECT_EQ(game().IncorrectCount, 1);
    EXPECT_EQ(game().CorrectCount, 0);
    ASSERT_FALSE(pictures.isEmpty());
    EXPECT_EQ(pictures.first(), picture(Form2::DelvoDismayed));
    EXPECT_EQ(rightAnswerColours.first(), 0x00000000u);  // the right answer shown in black
    EXPECT_GT(remarkPauses, 0);
    EXPECT_EQ(f.LBLEXTRA->Caption(), QStringLiteral("Gloria is his cousin's tuba."));
    // Back to the neutral picture and the answer colour for the next question.
    EXPECT_EQ(picture(Form2::DelvoShown), picture(Form2::DelvoNeutral));
    EXPECT_EQ(f.LBLANS[2]->ForeColor(), 0x000000FFu);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("2."));
    EXPECT_EQ(f.Label2->text(), QStringLiteral("<b>Rock</b> & Roll?"));  // shown as it stands

    pictures.clear();
    answer(1);  // right
    EXPECT_EQ(game().CorrectCount, 1);
    EXPECT_EQ(pictures.first(), picture(Form2::DelvoDelighted));
    EXPECT_EQ(picture(Form2::DelvoShown), picture(Form2::DelvoNeutral));
}

TEST_F(QuizGame, FinalScreenShowsTheScoreAndVerdictAndTheNextRunStartsAgain)
{
    const Form2View f = start(1, 0, 0, 1);
    bool remarkShown = false;
    clock.onPause = [&] { remarkShown |= !f.LBLEXTRA->isHidden(); };
    for (int index : {2, 1, 1})  // right, right, wrong
        answer(index);
    EXPECT_FALSE(remarkShown);  // question 1's remark belongs to its answer 3
    EXPECT_EQ(f.Label2->Caption(), QStringLiteral("FINAL SCORE:  2 correct, 1 incorrect"));
    EXPECT_TRUE(f.Label4->Caption().startsWith(QStringLiteral("Not bad!")));
    EXPECT_FALSE(f.Label4->isHidden());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(f.cmdans[i]->isHidden() && f.LBLANS[i]->isHidden());
    EXPECT_TRUE(f.Command2->isHidden());

    // The game is over: the first close request closes at once and starts the next game.
    EXPECT_TRUE(f.window.RequestClose());
    EXPECT_EQ(progressLines().mid(1, 4),
              (QStringList{"0    'Sound on/off", "1    'Current question ", "0    '# Correct", "0    '# Incorrect"}));
}

TEST_F(QuizGame, ButtonsAreNamedForAScreenReaderAndTheTabOrderStays)
{
    const Form2View f = start(1, 0, 0, 0);
    const auto name = [](QWidget* widget) {
        QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
        return face ? face->text(QAccessible::Name) : QStringLiteral("<no interface>");
    };
    // Bank text is read out as it stands (no mnemonic, no markup), renamed with every question.
    EXPECT_EQ(name(f.cmdans[2]), QStringLiteral("Doris & Co"));
    EXPECT_EQ(name(f.cmdans[4]), QStringLiteral("<b>Beverly</b>"));
    answer(1);
    EXPECT_EQ(name(f.cmdans[1]), QStringLiteral("Yes"));
    EXPECT_EQ(name(f.Command1), QStringLiteral("Close"));
    EXPECT_EQ(name(f.Command2), QStringLiteral("Replay"));

    // Tab goes answers - Replay - Close (labels and pictures sit in the chain but take no focus).
    const QWidget* order[] = {f.cmdans[1], f.cmdans[2], f.cmdans[3], f.cmdans[4], f.Command2, f.Command1};
    QWidget* widget = f.cmdans[1];
    for (const QWidget* expected : order) {
        EXPECT_EQ(widget, expected);
        do
            widget = widget->nextInFocusChain();
        while (!(widget->focusPolicy() & Qt::TabFocus));
    }
}

TEST(QuizTexts, FiveVerdictsAtTheirBoundariesAndTheExactScoreAndWarningTexts)
{
    // Counts carried over from a bank of another size: only the wrong answers decide.
    const std::tuple<int, int, const char*> verdicts[] = {
        {30, 0, "Wow! You are a true Quorvel"}, {29, 1, "Not bad!  You only missed one."},
        {28, 2, "So you missed a couple"}, {25, 5, "Hmmm."}, {24, 6, "Hmmm."}, {23, 7, "Ouch!"},
        {35, 6, "Hmmm."}, {35, 9, "Ouch!"}};
    for (const auto& [right, wrong, start] : verdicts)
        EXPECT_TRUE(VerdictText(right, wrong, 30).startsWith(start)) << right << '/' << wrong;
    EXPECT_EQ(VerdictText(30, 0, 30),
              "Wow! You are a true Quorvel and obviously spend way too much time chatting about Delvo.  Congrats!");
    EXPECT_EQ(VerdictText(0, 30, 30),
              "Ouch! Tell your boss that you just bombed The Quorvel Challenge and you must quit your job to become a groupie.");
    EXPECT_EQ(FinalScoreText(0, -1), "FINAL SCORE:  0 correct,-1 incorrect");

    EXPECT_EQ(CloseWarningText({30, 5, 3}),
              "Hey, you still have 30 questions left!  The next time you play, it will pick up where "
              "you left off.\r\rThus far you have answered 5 correctly and  3 incorrectly.");
    EXPECT_EQ(CloseWarningText({1, 0, 29}),
              "Hey, you still have 1 question left!  The next time you play, it will pick up where "
              "you left off.\r\rThus far you have answered 0 correctly and  29 incorrectly.");
    EXPECT_TRUE(CloseWarningText({29, -4, 0}).contains("answered-4 correctly"));
}

TEST_F(QuizGame, EscTwiceWarnsThenClosesAndSavesTheProgress)
{
    const Form2View f = start(2, 1, 0, 1);
    QTest::keyClick(f.Command1, Qt::Key_Escape);
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(f.Label4->Caption(), CloseWarningText({2, 1, 0}));
    EXPECT_FALSE(f.Label4->isHidden());
    EXPECT_DOUBLE_EQ(f.Label4->Width(), f.Imgdelvo[Form2::DelvoShown]->Left() - f.Label4->Left() - 0.5 * game().SpacingX);
    EXPECT_TRUE(f.cmdans[1]->isHidden());
    EXPECT_FALSE(f.Command1->isHidden());
    EXPECT_EQ(progressLines().at(2), "2");  // saved only on unload

    QTest::keyClick(f.Command1, Qt::Key_Escape);
    EXPECT_FALSE(f.window.isVisible());
    EXPECT_TRUE(f.window.Unloaded());
    EXPECT_EQ(progressLines(), (QStringList{"Please do NOT modify this file!", "0    'Sound on/off",
                                            "2    'Current question ", "1    '# Correct", "0    '# Incorrect", ""}));
}

TEST_F(QuizGame, ABankThatShrankStartsANewGame)
{
    const Form2View f = start(9, 6, 2, 1);
    EXPECT_EQ(game().CurrentQuestion, 1);
    EXPECT_EQ(game().CorrectCount, 0);
    EXPECT_EQ(game().IncorrectCount, 0);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("1."));
}

TEST_F(QuizGame, ARightAnswerOutsideTheAnswersStopsWithAnErrorNamingQuestionAndBank)
{
    const PlainQuestion broken = PlainQuestion().withAnswers({"Yes", "No"}, 3);
    writeBank({PlainQuestion{}, broken});
    try {
        start(2, 0, 0, 1);
        FAIL() << "no error";
    } catch (const RunTimeError& error) {
        EXPECT_TRUE(error.message().contains(folder.file("DATA.ASC"))) << error.message().toStdString();
        EXPECT_TRUE(error.message().contains("question 2")) << error.message().toStdString();
    }
}

TEST_F(QuizGame, ASecondCopyIsRefusedBeforeTheIntro)
{
    writeProgress(1, 1, 0, 0);
    load();
    QStringList boxes;
    setMsgBoxHook([&](const QString& text, int32_t style, const QString& title) {
        boxes << text << QString::number(style) << title;
    });
    bool introShown = false;
    Form2 second([&] { introShown = true; }, folder.file("quorvel.lock"));
    EXPECT_FALSE(second.Form_Load());
    setMsgBoxHook({});
    EXPECT_EQ(boxes, (QStringList{"This program is already running", "16", "Aborted"}));
    EXPECT_FALSE(introShown);
}

namespace {

// Records the caption a label has each time it is painted.
class PaintedCaptions : public QObject {
public:
    explicit PaintedCaptions(std::initializer_list<platform::Label*> labels)
    {
        for (platform::Label* label : labels)
            label->installEventFilter(this);
    }
    QStringList captions;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            captions << static_cast<platform::Label*>(watched)->Caption();
        return false;
    }
};

} // namespace

// Some desktops never activate a new window; others activate it at once. Either way the first
// question (here a music question, whose interlude shows once per showing) comes exactly once,
// only when the window can be seen: the interlude is on screen through its wait, and the
// controls' design texts are never painted. A music question after it hides Replay meanwhile.
TEST_F(QuizGame, FirstQuestionComesOnceWithOrWithoutAnActivation)
{
    soundOn = 1;  // Replay shows for music questions; the clip is missing, so nothing plays
    for (const bool activation : {false, true}) {
        SCOPED_TRACE(activation ? "activated at once" : "never activated");
        const PlainQuestion music = PlainQuestion().withClip("CLIP.MP3").asking("Which tune is this?");
        writeBank({PlainQuestion(), music, music});
        writeProgress(1, 2, 0, 0);
        const Form2View f = load();
        PaintedCaptions painted{f.Label2, f.Label22, f.LBLANS[1], f.LBLANS[2]};
        QList<bool> listening;
        QImage onScreen;  // the music picture's place as the screen shows it during the interlude
        bool replayDuringInterlude = false;
        clock.onPause = [&] {
            listening << f.Label3->isVisible();
            if (!f.Label3->isVisible())
                return;
            replayDuringInterlude |= f.Command2->isVisible();
            if (onScreen.isNull())
                onScreen = f.window.screen()->grabWindow(f.window.winId(), f.Image1->x(), f.Image1->y(),
                                                         f.Image1->width(), f.Image1->height()).toImage();
        };

        f.window.show();
        if (activation) {
            QEvent activate(QEvent::WindowActivate);
            QApplication::sendEvent(&f.window, &activate);
        }
        // Events run until the window has painted its labels.
        ASSERT_TRUE(QTest::qWaitFor([&] { return painted.captions.size() >= 4; }));

        EXPECT_EQ(f.Label22->Caption(), QStringLiteral("2."));
        EXPECT_EQ(f.Label2->Caption(), music.text);
        EXPECT_TRUE(onScreen.convertToFormat(QImage::Format_RGB32)
                    == f.Image1->grab().toImage().convertToFormat(QImage::Format_RGB32))
            << "the screen does not show the music picture during the interlude";
        // One interlude: the pauses while "Listen" shows form a single run.
        int interludes = 0;
        for (qsizetype i = 0; i < listening.size(); ++i)
            interludes += listening[i] && (i == 0 || !listening[i - 1]) ? 1 : 0;
        EXPECT_EQ(interludes, 1);
        for (const char* design : {"Label2", "1.", "Answer 1", "Answer 2"})
            EXPECT_FALSE(painted.captions.contains(QLatin1String(design))) << design;

        EXPECT_FALSE(f.Command2->isHidden());
        answer(1);
        EXPECT_EQ(f.Label22->Caption(), QStringLiteral("3."));
        EXPECT_FALSE(replayDuringInterlude);
        clock.onPause = nullptr;
        form.reset();
    }
}
