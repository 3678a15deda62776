// A whole game in process: judging and counting, the extra remark, the final verdict, the
// close warning, Esc, the progress file, and the faults the game turns away.
#include "CommandButton.h"
#include "ImageBox.h"
#include "Label.h"
#include "MessageBox.h"
#include "QuizFixture.h"
#include "QuizTexts.h"
#include "RunTimeError.h"

#include <QTest>

namespace {

class QuizGame : public QuizFixture {
protected:
    QuizGame()
    {
        PlainQuestion first;
        first.rightAnswer = 2;
        first.answers = QStringList{"Mavis", "Doris", "Gloria", "Beverly"};
        first.extraAnswer = 3;
        first.extra = QStringLiteral("Gloria is his cousin's tuba.");
        PlainQuestion second;
        second.text = QStringLiteral("<b>Rock</b> & Roll?");
        PlainQuestion third;
        third.rightAnswer = 2;
        third.answers = QStringList{"A", "B", "C"};
        writeBank({first, second, third});
    }

    qint64 shownPicture() const { return form->Imgdelvo[1]->Picture().cacheKey(); }
    qint64 picture(int i) const { return form->Imgdelvo[i]->Picture().cacheKey(); }
};

} // namespace

TEST_F(QuizGame, AnswersAreCountedWithTheirPicturesColoursAndExtraRemark)
{
    writeProgress(1, 1, 0, 0);
    Form2& f = load();
    f.Form_Activate();
    EXPECT_EQ(f.Label2->Caption(), QStringLiteral("Question?"));
    EXPECT_TRUE(f.Command1->hasFocus() || f.focusWidget() == f.Command1);

    // What the window shows while the judging waits.
    QList<qint64> pictures;
    QList<uint32_t> rightAnswerColours;
    QList<bool> remarkShown;
    clock.onPause = [&] {
        pictures << shownPicture();
        rightAnswerColours << f.LBLANS[game().CorrectAnswer]->ForeColor();
        remarkShown << !f.LBLEXTRA->isHidden();
    };

    answer(3);  // wrong, and the answer with the extra remark
    EXPECT_EQ(game().IncorrectCount, 1);
    EXPECT_EQ(game().CorrectCount, 0);
    ASSERT_FALSE(pictures.isEmpty());
    EXPECT_EQ(pictures.first(), picture(4));
    EXPECT_EQ(rightAnswerColours.first(), 0x00000000u);  // the right answer shown in black
    EXPECT_TRUE(remarkShown.contains(true));
    EXPECT_EQ(f.LBLEXTRA->Caption(), QStringLiteral("Gloria is his cousin's tuba."));
    EXPECT_EQ(f.LBLEXTRA->FontSize(), game().BaseFontSize - 2);
    // Back to the neutral picture and the answer colour for the next question.
    EXPECT_EQ(shownPicture(), picture(2));
    EXPECT_EQ(f.LBLANS[2]->ForeColor(), 0x000000FFu);
    EXPECT_EQ(game().CurrentQuestion, 2);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("2."));
    EXPECT_EQ(f.Label2->text(), QStringLiteral("<b>Rock</b> & Roll?"));  // shown as it stands

    pictures.clear();
    rightAnswerColours.clear();
    remarkShown.clear();
    answer(1);  // right; this question has no remark
    EXPECT_EQ(game().CorrectCount, 1);
    EXPECT_EQ(pictures.first(), picture(3));
    EXPECT_EQ(rightAnswerColours.first(), 0x000000FFu);
    EXPECT_FALSE(remarkShown.contains(true));
    EXPECT_EQ(shownPicture(), picture(2));
}

TEST_F(QuizGame, AClickWhileTheRemarkShowsIsTurnedAway)
{
    writeProgress(1, 1, 0, 0);
    Form2& f = load();
    f.Form_Activate();
    bool tried = false;
    clock.onPause = [&] {
        if (game().ExtraShowing == 1 && !tried) {
            tried = true;
            EXPECT_FALSE(f.cmdans[1]->isEnabled());
            answer(2);
        }
    };
    answer(3);
    EXPECT_TRUE(tried);
    EXPECT_EQ(game().CorrectCount, 0);
    EXPECT_EQ(game().IncorrectCount, 1);
    EXPECT_EQ(game().CurrentQuestion, 2);
}

TEST_F(QuizGame, FinalScreenShowsTheScoreAndVerdictAndTheNextRunStartsAgain)
{
    writeProgress(1, 1, 0, 0);
    Form2& f = load();
    f.Form_Activate();
    answer(2);
    answer(1);
    answer(1);  // wrong
    EXPECT_EQ(game().CurrentQuestion, 4);
    EXPECT_EQ(f.Label2->Caption(), QStringLiteral("FINAL SCORE:  2 correct, 1 incorrect"));
    EXPECT_EQ(f.Label4->Caption(), VerdictText(2, 1, 3));
    EXPECT_TRUE(f.Label4->Caption().startsWith(QStringLiteral("Not bad!")));
    EXPECT_FALSE(f.Label4->isHidden());
    EXPECT_DOUBLE_EQ(f.Label2->Left(), f.Label4->Left());
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(f.cmdans[i]->isHidden() && f.LBLANS[i]->isHidden());
    EXPECT_TRUE(f.Label22->isHidden());
    EXPECT_TRUE(f.Command2->isHidden());

    // The game is over: the first close request closes at once and starts the next game.
    EXPECT_TRUE(f.RequestClose());
    EXPECT_EQ(game().CloseWarned, 0);
    EXPECT_EQ(progressLines().mid(1, 4),
              (QStringList{"0    'Sound on/off", "1    'Current question ", "0    '# Correct",
                           "0    '# Incorrect"}));
}

TEST(QuizVerdict, FiveVerdictsAtTheirBoundaries)
{
    EXPECT_TRUE(VerdictText(30, 0, 30).startsWith("Wow! You are a true Quorvel"));
    EXPECT_TRUE(VerdictText(29, 1, 30).startsWith("Not bad!  You only missed one."));
    EXPECT_TRUE(VerdictText(28, 2, 30).startsWith("So you missed a couple"));
    EXPECT_TRUE(VerdictText(25, 5, 30).startsWith("Hmmm."));
    EXPECT_TRUE(VerdictText(24, 6, 30).startsWith("Hmmm."));
    EXPECT_TRUE(VerdictText(23, 7, 30).startsWith("Ouch!"));
    // Counts carried over from a bank of another size: only the wrong answers decide.
    EXPECT_TRUE(VerdictText(35, 6, 30).startsWith("Hmmm."));
    EXPECT_TRUE(VerdictText(35, 9, 30).startsWith("Ouch!"));
    EXPECT_EQ(VerdictText(30, 0, 30),
              "Wow! You are a true Quorvel and obviously spend way too much time chatting about Delvo.  Congrats!");
    EXPECT_EQ(VerdictText(0, 30, 30),
              "Ouch! Tell your boss that you just bombed The Quorvel Challenge and you must quit your job to become a groupie.");
    EXPECT_EQ(FinalScoreText(18, 2), "FINAL SCORE:  18 correct, 2 incorrect");
    EXPECT_EQ(FinalScoreText(0, -1), "FINAL SCORE:  0 correct,-1 incorrect");
}

TEST(QuizCloseWarning, ExactTextWithItsNounAndBlanks)
{
    EXPECT_EQ(CloseWarningText(1, 30, 5, 3),
              "Hey, you still have 30 questions left!  The next time you play, it will pick up where "
              "you left off.\r\rThus far you have answered 5 correctly and  3 incorrectly.");
    EXPECT_EQ(CloseWarningText(30, 30, 0, 29),
              "Hey, you still have 1 question left!  The next time you play, it will pick up where "
              "you left off.\r\rThus far you have answered 0 correctly and  29 incorrectly.");
    EXPECT_TRUE(CloseWarningText(2, 30, -4, 0).contains("answered-4 correctly"));
}

TEST_F(QuizGame, EscTwiceWarnsThenClosesAndSavesTheProgress)
{
    writeProgress(1, 2, 1, 0);
    Form2& f = load();
    f.show();
    f.Form_Activate();
    QTest::keyClick(f.Command1, Qt::Key_Escape);
    EXPECT_EQ(game().CloseWarned, 1);
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(f.Label4->Caption(), CloseWarningText(2, 3, 1, 0));
    EXPECT_FALSE(f.Label4->isHidden());
    EXPECT_DOUBLE_EQ(f.Label4->Top(), 0.5 * game().SpacingY);
    EXPECT_DOUBLE_EQ(f.Label4->Width(), f.Imgdelvo[1]->Left() - f.Label4->Left() - 0.5 * game().SpacingX);
    EXPECT_EQ(f.Label2->Caption(), QString());
    EXPECT_TRUE(f.cmdans[1]->isHidden());
    EXPECT_FALSE(f.Command1->isHidden());
    EXPECT_FALSE(f.Imgdelvo[1]->isHidden());
    EXPECT_EQ(progressLines().at(2), "2    'Current question ");

    QTest::keyClick(f.Command1, Qt::Key_Escape);
    EXPECT_FALSE(f.isVisible());
    EXPECT_TRUE(f.Unloaded());
    EXPECT_EQ(progressLines(),
              (QStringList{"Please do NOT modify this file!", "0    'Sound on/off",
                           "2    'Current question ", "1    '# Correct", "0    '# Incorrect", ""}));
}

TEST_F(QuizGame, SpaceOnTheFocusedCloseButtonIsACloseRequest)
{
    writeProgress(0, 3, 0, 0);
    Form2& f = load();
    f.show();
    f.Form_Activate();
    QTest::keyClick(f.Command1, Qt::Key_Space);
    EXPECT_EQ(game().CloseWarned, 1);
    EXPECT_TRUE(f.Label4->Caption().startsWith("Hey, you still have 1 question left!"));
    QTest::mouseClick(f.Command1, Qt::LeftButton);
    EXPECT_TRUE(f.Unloaded());
}

TEST_F(QuizGame, ABankThatShrankStartsANewGame)
{
    writeProgress(1, 9, 6, 2);
    Form2& f = load();
    f.Form_Activate();
    EXPECT_EQ(game().CurrentQuestion, 1);
    EXPECT_EQ(game().CorrectCount, 0);
    EXPECT_EQ(game().IncorrectCount, 0);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("1."));
    f.Form_Activate();  // later activations show nothing new
    EXPECT_EQ(game().CurrentQuestion, 1);
}

TEST_F(QuizGame, ARightAnswerOutsideTheAnswersStopsWithAnErrorNamingQuestionAndBank)
{
    PlainQuestion broken;
    broken.rightAnswer = 3;  // of two answers
    writeBank({PlainQuestion{}, broken});
    writeProgress(1, 2, 0, 0);
    Form2& f = load();
    try {
        f.Form_Activate();
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
