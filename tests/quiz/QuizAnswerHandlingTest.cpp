// What reaches the window while an answer is handled: close requests during the remark, and
// clicks and keys given while the game holds the window.
#include "platform/CommandButton.h"
#include "platform/Label.h"
#include "tests/quiz/QuizFixture.h"
#include "quiz/QuizTexts.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QTest>

namespace {

class QuizAnswerHandling : public QuizFixture {
protected:
    QuizAnswerHandling()
    {
        // Question 3 has a remark for its right answer 1; the others have none.
        const PlainQuestion remarked = PlainQuestion().withRemark(1, "Right, and here is why.");
        writeBank({PlainQuestion{}, PlainQuestion{}, remarked, remarked});
    }

    // Presses Esc `times` times at the first pause of the remark (a wait with events).
    void escDuringTheRemark(int times)
    {
        clock.onPause = [this, times, done = false]() mutable {
            if (done || view().LBLEXTRA->isHidden())
                return;
            done = true;
            for (int i = 0; i < times && !form->Unloaded(); ++i)
                QTest::keyClick(form->focusWidget() ? form->focusWidget() : form.get(), Qt::Key_Escape);
        };
    }

    // Queues input as the window system would while the game holds the window.
    static void queueClick(QWidget* widget, bool second)
    {
        const QPointF at = QRectF(widget->rect()).center();
        const QPointF global = widget->mapToGlobal(at);
        QCoreApplication::postEvent(widget, new QMouseEvent(second ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress,
                                                            at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier));
        QCoreApplication::postEvent(widget, new QMouseEvent(QEvent::MouseButtonRelease, at, global, Qt::LeftButton,
                                                            Qt::NoButton, Qt::NoModifier));
    }

    static void deliverQueuedEvents()
    {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }

    bool questionShown() const
    {
        return !view().Label22->isHidden() || !view().cmdans[1]->isHidden() || !view().Label2->Caption().isEmpty();
    }
};

} // namespace

TEST_F(QuizAnswerHandling, EscDuringTheRemarkShowsTheWarningWithTheAnswerCountedAndNoQuestionUnderIt)
{
    struct Case {
        int from;
        QString warning;  // empty: the game is over and the request closes at once
        QStringList saved;
    };
    const Case cases[] = {
        {3, CloseWarningText({1, 6, 3}), {"4    'Current question ", "6    '# Correct", "3    '# Incorrect"}},
        // The last question answered: nothing is left, so the window closes as after the final score.
        {4, QString(), {"1    'Current question ", "0    '# Correct", "0    '# Incorrect"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.from);
        resetGame();
        const Form2View f = start(c.from, 5, 3);
        escDuringTheRemark(1);
        answer(1);
        EXPECT_EQ(game().CorrectCount, c.warning.isEmpty() ? 0 : 6);
        EXPECT_EQ(f.window.Unloaded(), c.warning.isEmpty());
        if (!c.warning.isEmpty()) {
            EXPECT_EQ(f.Label4->Caption(), c.warning);
            EXPECT_FALSE(f.Label4->isHidden());
            EXPECT_TRUE(f.LBLEXTRA->isHidden());
            EXPECT_FALSE(questionShown());
            // Nothing can be answered under the warning, the next close request closes.
            answer(1);
            deliverQueuedEvents();
            EXPECT_EQ(game().CorrectCount, 6);
            EXPECT_FALSE(questionShown());
            EXPECT_TRUE(f.window.RequestClose());
        }
        EXPECT_EQ(progressLines().mid(2, 3), c.saved);
        form.reset();
    }
}

TEST_F(QuizAnswerHandling, EscTwiceDuringTheRemarkSavesAGameThatResumesAtTheNextQuestion)
{
    const Form2View f = start(3, 5, 3);
    escDuringTheRemark(2);
    answer(1);
    EXPECT_TRUE(f.window.Unloaded());
    EXPECT_EQ(progressLines().mid(2, 3), (QStringList{"4    'Current question ", "6    '# Correct", "3    '# Incorrect"}));

    // The next run asks question 4 with the answer to question 3 counted once.
    form.reset();
    resetGame();
    const Form2View next = load();
    next.window.Form_Activate();
    EXPECT_EQ(next.Label22->Caption(), QStringLiteral("4."));
    EXPECT_EQ(game().CorrectCount, 6);
}

TEST_F(QuizAnswerHandling, InputGivenWhileTheGameHoldsTheWindowIsDropped)
{
    struct Case {
        const char* what;
        std::function<void(const Form2View&)> give;  // given at the first pause of the answer's handling
    };
    const Case cases[] = {
        {"second click of a double-click on the same spot", [](const Form2View& f) { queueClick(f.cmdans[1], true); }},
        {"click on another answer", [](const Form2View& f) { queueClick(f.cmdans[2], false); }},
        {"Space on the focused Close button", [](const Form2View& f) {
             QCoreApplication::postEvent(f.Command1, new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
             QCoreApplication::postEvent(f.Command1, new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
         }},
        {"Esc", [](const Form2View& f) {
             QCoreApplication::postEvent(f.Command1, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier, "\x1b"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        resetGame();
        const Form2View f = start(1, 0, 0);
        clock.onPause = [&f, &c, given = false]() mutable {
            if (!given)
                c.give(f);
            given = true;
        };
        QTest::mouseClick(f.cmdans[1], Qt::LeftButton);
        clock.onPause = {};
        deliverQueuedEvents();
        EXPECT_EQ(game().CorrectCount + game().IncorrectCount, 1);
        EXPECT_EQ(game().CloseWarned, 0);
        // The next question waits for a click of its own.
        EXPECT_EQ(f.Label22->Caption(), QStringLiteral("2."));
        EXPECT_TRUE(f.cmdans[1]->isEnabled());
        QTest::mouseClick(f.cmdans[2], Qt::LeftButton);
        EXPECT_EQ(game().IncorrectCount, 1);
        form.reset();
    }
}
