#include "quiz/QuizRules.h"

#include "core/Numbers.h"
#include "core/RunTimeError.h"

#include <limits>

bool QuizRules::takesAnswers() const { return g_.ExtraShowing != 1 && !closeWarned(); }

bool QuizRules::judge(int16_t index)
{
    const bool right = index == g_.CorrectAnswer;
    if (right)
        g_.CorrectCount = toInt16(g_.CorrectCount + 1);
    else
        g_.IncorrectCount = toInt16(g_.IncorrectCount + 1);
    if (g_.CurrentQuestion >= g_.QuestionCount)
        lastAnswered_ = true;
    if (g_.CurrentQuestion < std::numeric_limits<int16_t>::max())
        ++g_.CurrentQuestion;
    return right;
}

bool QuizRules::bringsRemark(int16_t index) const { return !g_.ExtraText.isEmpty() && index == g_.ExtraAnswer; }

void QuizRules::setRemarkShowing(bool showing) { g_.ExtraShowing = showing ? 1 : 0; }

bool QuizRules::isOver() const { return lastAnswered_ || g_.CurrentQuestion > g_.QuestionCount; }

bool QuizRules::closeWarned() const { return g_.CloseWarned == 1; }

void QuizRules::warnOfClose() { g_.CloseWarned = 1; }

CloseWarningCounts QuizRules::closeWarningCounts() const
{
    return {toInt16(g_.QuestionCount - g_.CurrentQuestion + 1), g_.CorrectCount, g_.IncorrectCount};
}

void QuizRules::startNewGameWhenOver()
{
    if (isOver())
        g_.startNewGame();
    lastAnswered_ = false;
}

ProgressValues QuizRules::progressToKeep() const
{
    if (isOver())
        return {g_.SoundOn, 1, 0, 0};  // question 1, nothing answered yet
    return {g_.SoundOn, g_.CurrentQuestion, g_.CorrectCount, g_.IncorrectCount};
}

void QuizRules::checkRightAnswer(int16_t answerCount) const
{
    if (g_.CorrectAnswer >= 1 && g_.CorrectAnswer <= answerCount)
        return;
    // The right answer is the record's third line.
    const qint64 line = g_.QuestionStart.at(g_.CurrentQuestion) + 3;
    throw RunTimeError::inFile(g_.BankFile, line,
                               QStringLiteral("question %1 gives %2 as its right answer, but it has answers 1 to %3")
                                   .arg(g_.CurrentQuestion)
                                   .arg(g_.CorrectAnswer)
                                   .arg(answerCount));
}
