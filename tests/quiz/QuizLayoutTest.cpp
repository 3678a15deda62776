// The quiz window laid out by screen class, and the question with its answer column.
#include "platform/CommandButton.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "core/Numbers.h"
#include "tests/quiz/QuizFixture.h"
#include "quiz/layout/ScreenClass.h"
#include "quiz/layout/TextFit.h"

#include <cmath>

namespace {

class QuizLayout : public QuizFixture {
protected:
    QuizLayout()
    {
        writeBank({PlainQuestion{}});
        writeProgress(0, 1, 0, 0);
    }
};

using Rect = std::array<double, 4>;

void expectRect(const Rect& actual, const Rect& expected)
{
    for (size_t i = 0; i < actual.size(); ++i)
        EXPECT_DOUBLE_EQ(actual[i], expected[i]) << "field " << i;
}

void expectRect(const platform::FractionalGeometry& control, const Rect& expected)
{
    expectRect({control.Left(), control.Top(), control.Width(), control.Height()}, expected);
}

// The column rule: each answer under the previous one without a gap, its square button in front.
void expectAnswerColumn(const Form2View& f, int shown)
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

TEST_F(QuizLayout, WindowButtonsAndPictureByScreenClass)
{
    struct Case {
        int width, height;
        Rect windowTwips;
        QSize size;  // no frame on the offscreen platform
        int baseFont, closeFont;
        Rect close, replay, picture;
        bool stretch;  // the 800 x 600 class shows the picture at its own size
    };
    const Case cases[] = {
        {800, 600, {2100, 2250, 7800, 4500}, {520, 300}, 18, 11,
         {219.75, 243, 80.5, 26}, {46, 243, 92, 26}, {428.5, 136, 80, 107}, false},
        {1024, 768, {2688, 2880, 9984, 5760}, {666, 384}, 22, 16,
         {285.75, 319, 94.5, 32}, {54, 319, 108, 32}, {524.5, 147.736, 128, 171.264}, true},
        {1152, 864, {3024, 3240, 11232, 6480}, {749, 432}, 24, 19,
         {318.5, 362, 112, 36}, {64, 362, 128, 36}, {589, 169.328, 144, 192.672}, true},
        {1280, 1024, {3360, 3840, 12480, 7680}, {832, 512}, 28, 20,
         {351.25, 433, 129.5, 42}, {74, 433, 148, 42}, {653.5, 204.648, 160, 228.352}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        const Form2View f = load({c.width, c.height, 15, 15});
        expectRect({f.window.LeftTwips(), f.window.TopTwips(), f.window.WidthTwips(), f.window.HeightTwips()}, c.windowTwips);
        EXPECT_EQ(f.window.size(), c.size);
        EXPECT_EQ(game().BaseFontSize, c.baseFont);
        expectRect(*f.Command1, c.close);
        EXPECT_EQ(f.Command1->FontSize(), c.closeFont);
        expectRect(*f.Command2, c.replay);
        EXPECT_TRUE(f.Command2->isHidden());
        EXPECT_EQ(f.Imgdelvo[Form2::DelvoShown]->Stretch(), c.stretch);
        expectRect(*f.Imgdelvo[Form2::DelvoShown], c.picture);
        form.reset();
    }
}

TEST(ScreenClass, EachBoundaryBelongsToTheClassBelowIt)
{
    const std::pair<int16_t, int16_t> cases[] = {
        {480, 1}, {499, 1}, {500, 1}, {501, 2}, {649, 2}, {650, 2}, {651, 3},
        {777, 3}, {778, 3}, {779, 4}, {873, 4}, {874, 4}, {875, 5}, {1200, 5},
    };
    for (const auto& [height, screenClass] : cases)
        EXPECT_EQ(ScreenClassFor(height).screenClass, screenClass) << height << " lines";
}

TEST_F(QuizLayout, LargeFontsTakePointsOffButKeepTheClass)
{
    const Form2View f = load({800, 600, 12, 12});
    EXPECT_EQ(game().FontReduction, 2);
    EXPECT_EQ(game().BaseFontSize, 16);
    EXPECT_EQ(game().SpacingX, 23);
    EXPECT_EQ(f.Command1->FontSize(), 9);
    EXPECT_EQ(f.Label2->FontSize(), 16);
}

TEST_F(QuizLayout, AnswerColumnFollowsTheQuestionsAnswers)
{
    PlainQuestion three;
    three.answers = QStringList{"A", "B", "C"};
    PlainQuestion blankThird;
    blankThird.answers = QStringList{"A", "B", "", "D"};
    PlainQuestion wrapped;
    wrapped.text = QStringLiteral("A question so long that it cannot fit on one line of the window, "
                                  "so it wraps and pushes the answers further down the window.");
    wrapped.answers = QStringList{"A", "B", "C", "D"};
    QList<PlainQuestion> bank{PlainQuestion{}, three, blankThird, wrapped};
    while (bank.size() < 100)
        bank << PlainQuestion{};
    writeBank(bank);
    const Form2View f = load({800, 600, 15, 15});
    const double oneLine = f.Label2->Height();  // "Label2" on one line
    // The buttons are squares of 0.8 label heights, set once by the load step.
    EXPECT_DOUBLE_EQ(f.cmdans[1]->Height(), 0.8 * f.LBLANS[1]->Height());

    f.window.Form_Activate();
    expectAnswerColumn(f, 2);
    const auto expectQuestionAfterItsNumber = [&] {
        EXPECT_DOUBLE_EQ(f.Label2->Left(), f.Label22->Left() + f.Label22->Width() + 0.5 * game().SpacingX);
        EXPECT_DOUBLE_EQ(f.Label2->Width(), 520 - f.Label2->Left() - game().SpacingX);
    };
    expectQuestionAfterItsNumber();
    EXPECT_DOUBLE_EQ(f.Label2->Height(), oneLine);
    const double afterOneDigit = f.Label2->Left();

    for (int question : {2, 3, 4}) {
        game().CurrentQuestion = static_cast<int16_t>(question);
        f.window.NEXTQUESTION();
        expectAnswerColumn(f, question == 2 ? 3 : 4);
    }
    EXPECT_EQ(f.LBLANS[4]->Caption(), QStringLiteral("D"));
    EXPECT_GT(f.Label2->Height(), 1.5 * oneLine);
    EXPECT_GT(f.LBLANS[1]->Top(), f.Label2->Top() + 1.5 * oneLine);

    game().CurrentQuestion = 100;
    f.window.NEXTQUESTION();
    EXPECT_EQ(f.Label22->Caption(), QStringLiteral("100."));
    expectQuestionAfterItsNumber();
    EXPECT_GT(f.Label2->Left(), afterOneDigit);
}

TEST_F(QuizLayout, AnswerRowsKeepOnePitchWhateverTheirCaptions)
{
    PlainQuestion descending;
    descending.answers = QStringList{"(Yes)", "No", "", "jump"};  // glyphs below the descent, an empty row
    writeBank({descending});
    for (const platform::ScreenInfo& screen : {platform::ScreenInfo{800, 600, 15, 15}, {1024, 768, 15, 15}}) {
        SCOPED_TRACE(screen.widthPixels);
        const Form2View f = load(screen);
        const double pitch = f.LBLANS[1]->Height();  // "Answer 1", sized by the load step
        f.window.Form_Activate();
        for (int i = 1; i <= 4; ++i)
            EXPECT_DOUBLE_EQ(f.LBLANS[i]->Height(), pitch) << i;
        for (int i = 2; i <= 3; ++i)
            EXPECT_DOUBLE_EQ(f.LBLANS[i + 1]->Top() - f.LBLANS[i]->Top(), f.LBLANS[2]->Top() - f.LBLANS[1]->Top()) << i;
        form.reset();
        resetGame();
    }
}

// The bank tools measure texts with the layout alone; the window must put them where it says.
TEST_F(QuizLayout, TheWindowPlacesItsTextsWhereTheToolsMeasureThem)
{
    PlainQuestion q;
    q.text = QStringLiteral("Which of these did Delvo keep in the lighthouse, up all of its 117 stairs?");
    q.answers = QStringList{"(Yes)", "A long answer about a box of teaspoons", "C"};
    q.extraAnswer = 1;
    q.extra = QStringLiteral("A remark that shows at the top of the window.");
    writeBank({q});
    for (const QSize screen : {QSize(800, 600), QSize(1024, 768), QSize(1920, 1080)}) {
        SCOPED_TRACE(screen.width());
        const Form2View f = load({screen.width(), screen.height(), 15, 15});
        f.window.show();
        f.window.Form_Activate();
        const QuizWindowLayout layout = quizLayoutForScreen(screen);
        const QuestionPlacement place = layout.placeQuestion(1, q.text, QStringList{QString()} + q.answers);
        EXPECT_EQ(f.Imgdelvo[Form2::DelvoShown]->fractionalRect(), layout.picture());
        EXPECT_EQ(f.Label22->fractionalRect(), place.number);
        EXPECT_EQ(f.Label2->fractionalRect(), place.question);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(f.LBLANS[i]->fractionalRect(), place.answers[i]) << i;
            EXPECT_EQ(f.cmdans[i]->fractionalRect(), place.buttons[i]) << i;
        }
        QRectF remark;
        clock.onPause = [&] {
            if (!f.LBLEXTRA->isHidden())
                remark = f.LBLEXTRA->fractionalRect();
        };
        answer(1);
        EXPECT_EQ(remark, layout.placeRemark(q.extra));
        clock.onPause = {};
        form.reset();
        resetGame();
    }
}

TEST(TextFit, AnAnswerIsTooWideOnceItsRightEdgePassesTheWindow)
{
    // Answer 1 grows until it ends past the window's right edge, though the text alone is still
    // narrower than the window: it is cut, as it stands after its button.
    const QuizWindowLayout layout = quizLayoutForScreen({800, 600});
    QuestionTexts texts{7, QStringLiteral("Which?"), {QString(), QStringLiteral("Delvo"), QStringLiteral("B")}, QString()};
    QuestionPlacement place;
    do {
        texts.answers[1] += QStringLiteral(" and Delvo");
        place = layout.placeQuestion(texts.number, texts.question, texts.answers);
    } while (place.answers[1].right() <= layout.width());
    ASSERT_LT(place.answers[1].width(), layout.width());

    const QList<TextFitFinding> findings = findTextsThatDoNotFit(layout, QStringLiteral("800x600"), texts);
    ASSERT_EQ(findings.size(), 1);
    EXPECT_EQ(findings[0].part, TextFitFinding::Part::Answer);
    EXPECT_EQ(findings[0].answer, 1);
    const int pixels = static_cast<int>(std::ceil(place.answers[1].right() - layout.width()));
    EXPECT_EQ(findings[0].pixels, pixels);
    EXPECT_EQ(findings[0].message, QStringLiteral("answer 1 is %1 px wider than the window at 800x600").arg(pixels));
}
