// The quiz window laid out by screen class, and the question with its answer column.
#include "CommandButton.h"
#include "ImageBox.h"
#include "Label.h"
#include "Numbers.h"
#include "QuizFixture.h"

namespace {

class QuizLayout : public QuizFixture {
protected:
    QuizLayout()
    {
        writeBank({PlainQuestion{}});
        writeProgress(0, 1, 0, 0);
    }
};

void expectRect(const platform::FractionalGeometry& control, double left, double top, double width,
                double height)
{
    EXPECT_DOUBLE_EQ(control.Left(), left);
    EXPECT_DOUBLE_EQ(control.Top(), top);
    EXPECT_DOUBLE_EQ(control.Width(), width);
    EXPECT_DOUBLE_EQ(control.Height(), height);
}

} // namespace

TEST_F(QuizLayout, SmallScreenOf800By600)
{
    Form2& f = load({800, 600, 15, 15});
    EXPECT_DOUBLE_EQ(f.LeftTwips(), 2100);
    EXPECT_DOUBLE_EQ(f.TopTwips(), 2250);
    EXPECT_DOUBLE_EQ(f.WidthTwips(), 7800);
    EXPECT_DOUBLE_EQ(f.HeightTwips(), 4500);
    EXPECT_EQ(f.size(), QSize(520, 300));  // no frame on the offscreen platform
    EXPECT_EQ(f.pos(), QPoint(140, 150));
    EXPECT_EQ(game().BaseFontSize, 18);
    EXPECT_EQ(game().FontReduction, 0);
    expectRect(*f.Command1, 219.75, 243, 80.5, 26);
    EXPECT_EQ(f.Command1->FontSize(), 11);
    expectRect(*f.Command2, 46, 243, 92, 26);
    EXPECT_TRUE(f.Command2->isHidden());
    // Not stretched: the picture's own size.
    EXPECT_FALSE(f.Imgdelvo[1]->Stretch());
    expectRect(*f.Imgdelvo[1], 428.5, 136, 80, 107);
    EXPECT_EQ(f.Imgdelvo[1]->Picture().cacheKey(), f.Imgdelvo[2]->Picture().cacheKey());
    EXPECT_EQ(f.windowTitle(), QStringLiteral("The Quorvel Challenge (version 1.0)"));
    EXPECT_EQ(game().AnswerColor, 0x000000FFu);
}

TEST_F(QuizLayout, MediumScreenOf1024By768KeepsThePictureStretched)
{
    Form2& f = load({1024, 768, 15, 15});
    EXPECT_DOUBLE_EQ(f.LeftTwips(), 2688);
    EXPECT_DOUBLE_EQ(f.TopTwips(), 2880);
    EXPECT_DOUBLE_EQ(f.WidthTwips(), 9984);
    EXPECT_DOUBLE_EQ(f.HeightTwips(), 5760);
    EXPECT_EQ(f.size(), QSize(666, 384));
    EXPECT_EQ(game().BaseFontSize, 22);
    expectRect(*f.Command1, 285.75, 319, 94.5, 32);
    EXPECT_EQ(f.Command1->FontSize(), 16);
    EXPECT_TRUE(f.Imgdelvo[1]->Stretch());
    expectRect(*f.Imgdelvo[1], 524.5, 147.736, 128, 171.264);
}

TEST_F(QuizLayout, LargeFontsTakePointsOffButKeepTheClass)
{
    Form2& f = load({800, 600, 12, 12});
    EXPECT_EQ(game().TwipsPerPixelX, 12);
    EXPECT_EQ(game().FontReduction, 2);
    EXPECT_EQ(game().BaseFontSize, 16);
    EXPECT_EQ(game().SpacingX, 23);
    EXPECT_EQ(f.Command1->FontSize(), 9);
    EXPECT_EQ(f.Label2->FontSize(), 16);
}

namespace {

// The column rule: each answer under the previous one without a gap, its square button in front.
void expectAnswerColumn(const Form2& f, int shown)
{
    const GameState& g = game();
    for (int i = 1; i <= 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(f.LBLANS[i]->isHidden(), i > shown);
        EXPECT_EQ(f.cmdans[i]->isHidden(), i > shown);
        if (i > shown)
            continue;
        const double above = i == 1 ? f.Label2->Top() + f.Label2->Height() + 0.5 * g.SpacingY
                                    : f.LBLANS[i - 1]->Top() + f.LBLANS[i - 1]->Height();
        EXPECT_DOUBLE_EQ(f.LBLANS[i]->Top(), roundHalfEven(above));
        EXPECT_DOUBLE_EQ(f.cmdans[i]->Top(), f.LBLANS[i]->Top());
        EXPECT_DOUBLE_EQ(f.cmdans[i]->Left(), 1.5 * g.SpacingX);
        EXPECT_DOUBLE_EQ(f.cmdans[i]->Width(), f.cmdans[i]->Height());
        EXPECT_DOUBLE_EQ(f.LBLANS[i]->Left(), 1.5 * g.SpacingX + f.cmdans[i]->Width() + 0.7 * g.SpacingX);
    }
}

} // namespace

TEST_F(QuizLayout, AnswerColumnFollowsTheQuestionsAnswers)
{
    PlainQuestion two;
    PlainQuestion three;
    three.answers = QStringList{"A", "B", "C"};
    PlainQuestion blankThird;
    blankThird.answers = QStringList{"A", "B", "", "D"};
    PlainQuestion wrapped;
    wrapped.text = QStringLiteral("A question so long that it cannot fit on one line of the window, "
                                  "so it wraps and pushes the answers further down the window.");
    wrapped.answers = QStringList{"A", "B", "C", "D"};
    writeBank({two, three, blankThird, wrapped});
    Form2& f = load({800, 600, 15, 15});
    const double oneLine = f.Label2->Height();  // "Label2" on one line
    // The buttons are squares of 0.8 label heights, set once by the load step.
    EXPECT_DOUBLE_EQ(f.cmdans[1]->Height(), 0.8 * f.LBLANS[1]->Height());

    f.Form_Activate();
    expectAnswerColumn(f, 2);
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("1."));
    EXPECT_DOUBLE_EQ(f.Label2->Left(), f.Label22->Left() + f.Label22->Width() + 0.5 * game().SpacingX);
    EXPECT_DOUBLE_EQ(f.Label2->Width(), 520 - f.Label2->Left() - game().SpacingX);
    EXPECT_DOUBLE_EQ(f.Label2->Height(), oneLine);

    game().CurrentQuestion = 2;
    f.NEXTQUESTION();
    expectAnswerColumn(f, 3);

    game().CurrentQuestion = 3;
    f.NEXTQUESTION();
    expectAnswerColumn(f, 4);
    EXPECT_EQ(f.LBLANS[3]->Caption(), QString());
    EXPECT_EQ(f.LBLANS[4]->Caption(), QStringLiteral("D"));

    game().CurrentQuestion = 4;
    f.NEXTQUESTION();
    expectAnswerColumn(f, 4);
    EXPECT_GT(f.Label2->Height(), 1.5 * oneLine);
    EXPECT_GT(f.LBLANS[1]->Top(), f.Label2->Top() + 1.5 * oneLine);
}

TEST_F(QuizLayout, QuestionNumberWidthMovesTheQuestionText)
{
    QList<PlainQuestion> bank;
    for (int i = 0; i < 100; ++i)
        bank << PlainQuestion{};
    writeBank(bank);
    Form2& f = load();
    game().CurrentQuestion = 7;
    f.NEXTQUESTION();
    const double after7 = f.Label2->Left();
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("7."));
    game().CurrentQuestion = 100;
    f.NEXTQUESTION();
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("100."));
    EXPECT_DOUBLE_EQ(f.Label2->Left(), f.Label22->Left() + f.Label22->Width() + 0.5 * game().SpacingX);
    EXPECT_GT(f.Label2->Left(), after7);
}
