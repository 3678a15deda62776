// The quiz's rules on a game state of their own, without a window: judging and counting, the
// end of the quiz, what is turned away, the close warning's counts, and where the next game starts.
#include "core/RunTimeError.h"
#include "quiz/QuizRules.h"

#include <gtest/gtest.h>

namespace {

// A bank of `questions` questions, at question `current` with the counts so far.
GameState stateAt(int16_t current, int16_t questions, int16_t correct = 0, int16_t incorrect = 0)
{
    GameState g;
    g.QuestionCount = questions;
    g.CurrentQuestion = current;
    g.CorrectCount = correct;
    g.IncorrectCount = incorrect;
    return g;
}

TEST(QuizRules, AWholeGameIsJudgedCountedAndEndsAfterItsLastQuestion)
{
    GameState g = stateAt(1, 3);
    QuizRules rules(g);
    struct Answer {
        int16_t right, given;
        bool judgedRight;
    };
    const Answer answers[] = {{2, 2, true}, {1, 3, false}, {4, 4, true}};
    for (const Answer& a : answers) {
        EXPECT_FALSE(rules.isOver()) << "before question " << g.CurrentQuestion;
        g.CorrectAnswer = a.right;
        EXPECT_EQ(rules.judge(a.given), a.judgedRight) << "question " << g.CurrentQuestion;
    }
    EXPECT_EQ(g.CorrectCount, 2);
    EXPECT_EQ(g.IncorrectCount, 1);
    EXPECT_EQ(g.CurrentQuestion, 4);  // one past the last: the final screen
    EXPECT_TRUE(rules.isOver());

    // Closing now keeps nothing of this game: the next one starts afresh.
    rules.startNewGameWhenOver();
    EXPECT_EQ(g.CurrentQuestion, 1);
    EXPECT_EQ(g.CorrectCount + g.IncorrectCount, 0);
}

TEST(QuizRules, CountsAtTheirLimitOverflowIntoAnErrorAndNegativeCountsCarryOn)
{
    struct Case {
        int16_t current, correct, incorrect, given;
        bool overflows;
    };
    const Case cases[] = {
        {1, 32767, 0, 1, true},    // a right answer beyond 32767
        {1, 0, 32767, 2, true},    // a wrong one
        {1, -5, 32766, 2, false},  // counts from a damaged progress file still count on
    };
    for (const Case& c : cases) {
        GameState g = stateAt(c.current, 32767, c.correct, c.incorrect);
        g.CorrectAnswer = 1;
        QuizRules rules(g);
        if (c.overflows)
            EXPECT_THROW(rules.judge(c.given), RunTimeError) << c.current << ' ' << c.correct << ' ' << c.incorrect;
        else
            EXPECT_NO_THROW(rules.judge(c.given));
    }
}

TEST(QuizRules, TheLastQuestionOfAFullBankEndsTheQuizAndTheNextRunStartsAnew)
{
    GameState g = stateAt(32767, 32767, 32766, 0);
    g.SoundOn = 1;
    g.CorrectAnswer = 2;
    QuizRules rules(g);
    EXPECT_EQ(rules.progressToKeep().CurrentQuestion, 32767);
    EXPECT_TRUE(rules.judge(2));
    EXPECT_TRUE(rules.isOver());
    EXPECT_EQ(g.CorrectCount, 32767);  // the final screen's score
    const ProgressValues kept = rules.progressToKeep();
    EXPECT_EQ(kept.SoundOn, 1);
    EXPECT_EQ(kept.CurrentQuestion, 1);
    EXPECT_EQ(kept.CorrectCount + kept.IncorrectCount, 0);
    rules.startNewGameWhenOver();
    EXPECT_FALSE(rules.isOver());
    EXPECT_EQ(g.CurrentQuestion, 1);
}

TEST(QuizRules, AnswersAreTurnedAwayUnderTheRemarkAndTheCloseWarning)
{
    struct Case {
        bool remark, warned, taken;
    };
    const Case cases[] = {{false, false, true}, {true, false, false}, {false, true, false}, {true, true, false}};
    for (const Case& c : cases) {
        GameState g = stateAt(1, 3);
        QuizRules rules(g);
        rules.setRemarkShowing(c.remark);
        if (c.warned)
            rules.warnOfClose();
        EXPECT_EQ(rules.takesAnswers(), c.taken) << c.remark << c.warned;
    }
}

TEST(QuizRules, TheRemarkBelongsToItsOwnAnswerRightOrWrong)
{
    struct Case {
        const char* remark;
        int16_t remarkAnswer, given;
        bool shown;
    };
    const Case cases[] = {
        {"Gloria is his cousin's tuba.", 3, 3, true},  // a wrong answer (the right one is 1)
        {"Mavis it was.", 1, 1, true},                 // the right answer
        {"Gloria is his cousin's tuba.", 3, 2, false},
        {"", 3, 3, false},  // an answer number without a remark
    };
    for (const Case& c : cases) {
        GameState g = stateAt(1, 3);
        g.CorrectAnswer = 1;
        g.ExtraText = QString::fromUtf8(c.remark);
        g.ExtraAnswer = c.remarkAnswer;
        EXPECT_EQ(QuizRules(g).bringsRemark(c.given), c.shown) << c.remark << ' ' << c.given;
    }
}

TEST(QuizRules, TheCloseWarningCountsTheQuestionsLeftWithTheOneOnShow)
{
    struct Case {
        int16_t current, questions, correct, incorrect, left;
    };
    const Case cases[] = {
        {1, 30, 0, 0, 30},   // nothing answered yet
        {30, 30, 20, 9, 1},  // the last question on show
        {7, 30, 5, 1, 24},
        {2, 3, -4, 0, 2},    // counts of a damaged progress file are shown as they are
    };
    for (const Case& c : cases) {
        GameState g = stateAt(c.current, c.questions, c.correct, c.incorrect);
        QuizRules rules(g);
        EXPECT_FALSE(rules.closeWarned());
        rules.warnOfClose();
        EXPECT_TRUE(rules.closeWarned());
        const CloseWarningCounts counts = rules.closeWarningCounts();
        EXPECT_EQ(counts.questionsLeft, c.left) << c.current << '/' << c.questions;
        EXPECT_EQ(counts.correct, c.correct);
        EXPECT_EQ(counts.incorrect, c.incorrect);
    }
}

TEST(QuizRules, TheNextGameResumesWhereThisOneStoppedUnlessItIsOver)
{
    struct Case {
        const char* what;
        int16_t current, questions;
        int16_t resumesAt, correct, incorrect;
    };
    const Case cases[] = {
        {"stopped at a question", 5, 30, 5, 3, 1},
        {"stopped at the last question", 30, 30, 30, 3, 1},
        {"finished", 31, 30, 1, 0, 0},
        {"saved against a bank that has shrunk since", 9, 3, 1, 0, 0},
    };
    for (const Case& c : cases) {
        GameState g = stateAt(c.current, c.questions, 3, 1);
        // What each answer saves is already where the next game starts.
        const ProgressValues kept = QuizRules(g).progressToKeep();
        EXPECT_EQ(kept.CurrentQuestion, c.resumesAt) << c.what;
        EXPECT_EQ(kept.CorrectCount, c.correct) << c.what;
        QuizRules(g).startNewGameWhenOver();
        EXPECT_EQ(g.CurrentQuestion, c.resumesAt) << c.what;
        EXPECT_EQ(g.CorrectCount, c.correct) << c.what;
        EXPECT_EQ(g.IncorrectCount, c.incorrect) << c.what;
    }
}

TEST(QuizRules, ARightAnswerOutsideTheAnswersIsABankFaultNamingItsLine)
{
    GameState g = stateAt(2, 2);
    g.BankFile = QStringLiteral("/data/DATA.ASC");
    g.QuestionStart = {0, 2, 10};  // question 2's record follows line 10
    QuizRules rules(g);
    const std::pair<int16_t, bool> cases[] = {{1, true}, {3, true}, {0, false}, {4, false}, {-1, false}};
    for (const auto& [right, fine] : cases) {
        g.CorrectAnswer = right;
        if (fine) {
            EXPECT_NO_THROW(rules.checkRightAnswer(3)) << right;
            continue;
        }
        try {
            rules.checkRightAnswer(3);
            ADD_FAILURE() << "no error for right answer " << right;
        } catch (const RunTimeError& e) {
            EXPECT_TRUE(e.message().startsWith("/data/DATA.ASC:13:")) << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("question 2")) << e.message().toStdString();
        }
    }
}

} // namespace
