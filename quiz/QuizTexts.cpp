#include "quiz/QuizTexts.h"

#include "core/Numbers.h"

QString CloseWarningText(const CloseWarningCounts& counts)
{
    const QString noun = counts.questionsLeft == 1 ? QStringLiteral("question") : QStringLiteral("questions");
    return QStringLiteral("Hey, you still have ") + QString::number(counts.questionsLeft) + QLatin1Char(' ') + noun
        + QStringLiteral(" left!  The next time you play, it will pick up where you left off.")
        + QStringLiteral("\r\r") + QStringLiteral("Thus far you have answered")
        + numberText(counts.correct) + QStringLiteral(" correctly and ") + numberText(counts.incorrect)
        + QStringLiteral(" incorrectly.");
}

QString FinalScoreText(int16_t correctCount, int16_t incorrectCount)
{
    return QStringLiteral("FINAL SCORE: ") + numberText(correctCount) + QStringLiteral(" correct,")
        + numberText(incorrectCount) + QStringLiteral(" incorrect");
}

QString VerdictText(int16_t correctCount, int16_t incorrectCount, int16_t questionCount)
{
    if (correctCount == questionCount)
        return QStringLiteral("Wow! You are a true Quorvel and obviously spend way too much time "
                              "chatting about Delvo.  Congrats!");
    if (correctCount == questionCount - 1)
        return QStringLiteral("Not bad!  You only missed one.  You came so close, too bad this "
                              "isn't horseshoes.");
    if (correctCount == questionCount - 2)
        return QStringLiteral("So you missed a couple - not too shabby.  You certainly know your "
                              "Delvo trivia.");
    if (incorrectCount < 7)
        return QStringLiteral("Hmmm. You gave it a good try, but we must put you on Quorvel probation.");
    return QStringLiteral("Ouch! Tell your boss that you just bombed The Quorvel Challenge and you "
                          "must quit your job to become a groupie.");
}
