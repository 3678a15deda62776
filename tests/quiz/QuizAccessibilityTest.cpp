// What a screen reader is told by the quiz window through a game: Close describes the question,
// the words on an answer, the warning and the final screen; the right answer is marked while the
// judging shows it; Delvo's picture is named by his face; hidden and empty controls keep no names.
#include "platform/CommandButton.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "tests/quiz/QuizFixture.h"
#include "quiz/QuizTexts.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QTest>

namespace {

QString accessible(QObject* object, QAccessible::Text kind)
{
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(object);
    return face ? face->text(kind) : QStringLiteral("<no interface>");
}

QString name(QObject* object) { return accessible(object, QAccessible::Name); }
QString description(QObject* object) { return accessible(object, QAccessible::Description); }
// What the window has said to a screen reader lately, oldest first.
QStringList said(QWidget* window)
{
    QStringList messages;
    for (const QWidget* message : window->findChildren<QWidget*>(QStringLiteral("Announcement")))
        messages << accessible(const_cast<QWidget*>(message), QAccessible::Name);
    return messages;
}
bool exposed(QObject* object) { return !QAccessible::queryAccessibleInterface(object)->state().invisible; }

class QuizAccessibilityTest : public QuizFixture {
protected:
    QuizAccessibilityTest()
    {
        const PlainQuestion first = PlainQuestion()
                                        .asking("Which ukulele?")
                                        .withAnswers({"Mavis", "Doris & Co", "Gloria", "Beverly"}, 2)
                                        .withRemark(1, "Mavis is the tuba.");
        const PlainQuestion second = PlainQuestion().asking("Two?").withAnswers({"A", "B", "", "D"});
        const PlainQuestion third = PlainQuestion().asking("Three?");
        writeBank({first, second, third});
    }
};

} // namespace

TEST_F(QuizAccessibilityTest, CloseSaysEachQuestionAndTheWindowSaysWhatAppearsUpToTheFinalScreen)
{
    const Form2View f = start(1, 0, 0);
    EXPECT_EQ(description(f.Command1), QStringLiteral("1. Which ukulele?"));
    EXPECT_EQ(name(f.Command1), QStringLiteral("Close"));
    EXPECT_EQ(name(f.Imgdelvo[Form2::DelvoShown]), QStringLiteral("Delvo, neutral"));

    // While the judging shows the result (and the extra remark is up, an alert of its own).
    struct Seen {
        QString delvo, close;
        QStringList said;
    } seen;
    clock.onPause = [&] {
        if (seen.delvo.isEmpty())
            seen = {name(f.Imgdelvo[Form2::DelvoShown]), description(f.Command1), said(&f.window)};
    };
    answer(1);  // wrong: the right one is Doris & Co
    EXPECT_EQ(seen.delvo, QStringLiteral("Delvo, dismayed"));
    EXPECT_TRUE(seen.close.isEmpty());  // the question is answered
    // Said at once, then the remark as it shows.
    EXPECT_EQ(seen.said.mid(seen.said.size() - 2),
              QStringList({QStringLiteral("Wrong. The right answer was Doris & Co."), QStringLiteral("Mavis is the tuba.")}));
    EXPECT_EQ(description(f.Command1), QStringLiteral("2. Two?"));
    EXPECT_EQ(name(f.Imgdelvo[Form2::DelvoShown]), QStringLiteral("Delvo, neutral"));
    EXPECT_TRUE(name(f.LBLEXTRA).isEmpty());  // hidden again

    seen = {};
    answer(1);  // right
    EXPECT_EQ(seen.delvo, QStringLiteral("Delvo, delighted"));
    EXPECT_EQ(seen.said.last(), QStringLiteral("Right."));
    EXPECT_EQ(description(f.Command1), QStringLiteral("3. Three?"));

    answer(2);  // wrong, the last question: the final screen
    const QString score = FinalScoreText(1, 2);
    const QString verdict = VerdictText(1, 2, 3);
    EXPECT_EQ(description(f.Command1), score + '\n' + verdict);
    QAccessibleInterface* verdictFace = QAccessible::queryAccessibleInterface(f.Label4);
    EXPECT_EQ(verdictFace->role(), QAccessible::AlertMessage);
    EXPECT_EQ(verdictFace->text(QAccessible::Name), verdict);
    EXPECT_EQ(verdictFace->text(QAccessible::Description), score);
    EXPECT_EQ(name(f.Label2), score);
}

TEST_F(QuizAccessibilityTest, HiddenAndEmptyControlsKeepNoNamesAndTheWarningIsAnAlert)
{
    const Form2View f = start(2, 0, 1);
    // Placeholder captions of hidden labels are not read out.
    for (QObject* hidden : {static_cast<QObject*>(f.Label4), static_cast<QObject*>(f.LBLEXTRA),
                            static_cast<QObject*>(f.Label3)})
        EXPECT_TRUE(name(hidden).isEmpty()) << hidden;
    // Answer 3 is empty: its label is no object to read, its button still has a name.
    EXPECT_FALSE(exposed(f.LBLANS[3]));
    EXPECT_EQ(name(f.cmdans[3]), QStringLiteral("Answer 3"));
    EXPECT_EQ(name(f.cmdans[4]), QStringLiteral("D"));

    answer(1);  // question 3 has two answers: the buttons 3 and 4 are hidden without names
    EXPECT_TRUE(f.cmdans[3]->isHidden());
    EXPECT_TRUE(name(f.cmdans[3]).isEmpty());
    EXPECT_TRUE(name(f.cmdans[4]).isEmpty());
    EXPECT_TRUE(name(f.LBLANS[4]).isEmpty());

    QTest::keyClick(f.Command1, Qt::Key_Escape);
    const QString warning = CloseWarningText({1, 1, 1}).replace('\r', '\n');
    QAccessibleInterface* warningFace = QAccessible::queryAccessibleInterface(f.Label4);
    EXPECT_EQ(warningFace->role(), QAccessible::AlertMessage);
    EXPECT_EQ(warningFace->text(QAccessible::Name), warning);
    EXPECT_EQ(description(f.Command1), warning);
    EXPECT_FALSE(exposed(f.Label2));  // the emptied question
    for (int i = 1; i <= 4; ++i)
        EXPECT_TRUE(name(f.cmdans[i]).isEmpty() && name(f.LBLANS[i]).isEmpty()) << i;
    EXPECT_TRUE(name(f.Label22).isEmpty());
}
