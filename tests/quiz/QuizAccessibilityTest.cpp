// What a screen reader finds on the quiz window: each answer button named after its answer
// (renamed with every question), the Close and Replay buttons by their captions, and the tab
// order answers - Replay - Close.
#include "CommandButton.h"
#include "QuizFixture.h"

#include <QAccessible>
#include <QAccessibleInterface>

namespace {

QString accessibleName(QWidget* widget)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QStringLiteral("<no interface>");
}

class QuizAccessibility : public QuizFixture {
protected:
    QuizAccessibility()
    {
        PlainQuestion first;
        first.answers = QStringList{"Mavis", "Doris & Gloria", "<b>Beverly</b>"};
        PlainQuestion second;
        second.rightAnswer = 2;
        second.answers = QStringList{"Yes", "No"};
        writeBank({first, second});
        writeProgress(0, 1, 0, 0);
    }
};

// The next widget that Tab stops at (labels and pictures sit in the chain but take no focus).
QWidget* nextTabStop(QWidget* widget)
{
    do
        widget = widget->nextInFocusChain();
    while (!(widget->focusPolicy() & Qt::TabFocus));
    return widget;
}

} // namespace

TEST_F(QuizAccessibility, AnswerButtonsAreNamedAfterTheAnswerOnShow)
{
    Form2& f = load();
    f.Form_Activate();
    // Bank text is read out as it stands: no mnemonic, no markup.
    EXPECT_EQ(accessibleName(f.cmdans[1]), QStringLiteral("Mavis"));
    EXPECT_EQ(accessibleName(f.cmdans[2]), QStringLiteral("Doris & Gloria"));
    EXPECT_EQ(accessibleName(f.cmdans[3]), QStringLiteral("<b>Beverly</b>"));

    answer(1);  // the next question has two answers: the first two buttons take their names
    ASSERT_EQ(game().CurrentQuestion, 2);
    EXPECT_EQ(accessibleName(f.cmdans[1]), QStringLiteral("Yes"));
    EXPECT_EQ(accessibleName(f.cmdans[2]), QStringLiteral("No"));
    EXPECT_TRUE(f.cmdans[3]->isHidden());
}

TEST_F(QuizAccessibility, CloseAndReplayAreNamedAndTheTabOrderStays)
{
    Form2& f = load();
    f.Form_Activate();
    EXPECT_EQ(accessibleName(f.Command1), QStringLiteral("Close"));
    EXPECT_EQ(accessibleName(f.Command2), QStringLiteral("Replay"));
    QAccessibleInterface* close = QAccessible::queryAccessibleInterface(f.Command1);
    ASSERT_NE(close, nullptr);
    EXPECT_EQ(close->role(), QAccessible::Button);

    const std::vector<QWidget*> expected{f.cmdans[1], f.cmdans[2], f.cmdans[3], f.cmdans[4], f.Command2, f.Command1};
    for (size_t i = 0; i + 1 < expected.size(); ++i)
        EXPECT_EQ(nextTabStop(expected[i]), expected[i + 1]) << "after tab stop " << i + 1;
}
