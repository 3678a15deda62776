// What reaches the window while an answer is handled: close requests during the remark, and
// clicks and keys given while the game holds the window: answers dropped, close requests kept.
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

// Each is given at the first pause of the answer's handling, and would act if it came through.
TEST_F(QuizAnswerHandling, AnswersGivenWhileTheGameHoldsTheWindowAreDroppedCloseRequestsKept)
{
    struct Case {
        const char* what;
        std::function<void(const Form2View&)> give;
        bool closeRequest;
    };
    const auto keys = [](QWidget* widget, Qt::Key key, const char* text) {
        QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier, text));
        QCoreApplication::postEvent(widget, new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier, text));
    };
    const Case cases[] = {
        {"second click of a double-click on the same spot", [](const Form2View& f) { queueClick(f.cmdans[1], true); }, false},
        {"click on another answer", [](const Form2View& f) { queueClick(f.cmdans[2], false); }, false},
        {"Space on an answer button", [&](const Form2View& f) { keys(f.cmdans[2], Qt::Key_Space, " "); }, false},
        {"Esc", [&](const Form2View& f) { keys(f.window.focusWidget() ? f.window.focusWidget() : &f.window, Qt::Key_Escape, "\x1b"); }, true},
        {"Space on the Close button", [&](const Form2View& f) { keys(f.Command1, Qt::Key_Space, " "); }, true},
        {"click on the Close button", [](const Form2View& f) { queueClick(f.Command1, false); }, true},
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
        EXPECT_EQ(game().CloseWarned, c.closeRequest ? 1 : 0);
        if (c.closeRequest) {
            // The warning stands in place of the next question.
            EXPECT_EQ(f.Label4->Caption(), CloseWarningText({3, 1, 0}));
            EXPECT_FALSE(questionShown());
        } else {
            // The next question waits for a click of its own.
            EXPECT_EQ(f.Label22->Caption(), QStringLiteral("2."));
            EXPECT_TRUE(f.cmdans[1]->isEnabled());
            QTest::mouseClick(f.cmdans[2], Qt::LeftButton);
            EXPECT_EQ(game().IncorrectCount, 1);
        }
        form.reset();
    }
}
