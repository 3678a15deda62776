#pragma once
// The rules of the quiz, apart from the window that shows it: which answers are taken, the
// judging and counting of an answer with the move past its question, the end of the quiz, the
// close warning and its counts, and where the next game starts. They work on the game state,
// which the progress file loads and saves; the quiz window asks them and shows the outcome.
#include "core/GameState.h"
#include "questions/ProgressFile.h"

#include <cstdint>

// What the close warning tells: the questions left (the one on show included) and the counts.
struct CloseWarningCounts {
    int16_t questionsLeft = 0;
    int16_t correct = 0;
    int16_t incorrect = 0;
};

class QuizRules {
public:
    explicit QuizRules(GameState& state) : g_(state) {}

    // An answer is turned away while the extra remark shows and once the close warning shows.
    bool takesAnswers() const;
    // Judges answer `index` against the right one and counts it. The quiz moves past the question
    // at once: a close request during the feedback saves a game that resumes at the next question,
    // and the warning does not count this question as left. Returns whether it was right. Beyond
    // 32767 a count overflows into a RunTimeError; the last question of a bank of 32767 ends the
    // quiz like any other.
    bool judge(int16_t index);
    // Whether answer `index` brings up the question's extra remark, right or wrong.
    bool bringsRemark(int16_t index) const;
    void setRemarkShowing(bool showing);
    // The last question has been answered.
    bool isOver() const;

    bool closeWarned() const;
    // A close request with questions left is turned into the warning, once.
    void warnOfClose();
    CloseWarningCounts closeWarningCounts() const;

    // A finished game, or progress saved against a larger bank, starts a new game.
    void startNewGameWhenOver();
    // What the next run starts from: this game's progress, or a new game's once the quiz is over
    // (the final screen meanwhile still shows this game's counts).
    ProgressValues progressToKeep() const;
    // A right answer outside the question's answers (1..answerCount) is a fault of the bank:
    // a RunTimeError names the question and the bank's line.
    void checkRightAnswer(int16_t answerCount) const;

private:
    GameState& g_;
    // The last question has been answered. Its number can be the largest a question number
    // holds (32767), so the quiz cannot always move past it.
    bool lastAnswered_ = false;
};
