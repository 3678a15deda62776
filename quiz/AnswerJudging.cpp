// cmdans_Click: judges an answer, counts it, gives feedback, and moves on to the next
// question or to the final score and verdict.
#include "quiz/Form2.h"

#include "platform/CommandButton.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "core/Numbers.h"
#include "quiz/QuizAccessibility.h"
#include "quiz/QuizTexts.h"
#include "support/GameSounds.h"
#include "quiz/Waits.h"

void Form2::cmdans_Click(int16_t index)
{
    GameState& g = game();
    // A click while the remark shows is turned away; under the close warning nothing is answered.
    if (g.ExtraShowing == 1 || g.CloseWarned == 1)
        return;
    // The clip stays silent from the answer until the next question shows.
    Command2->setEnabled(false);

    const bool right = index == g.CorrectAnswer;
    if (right) {
        g.CorrectCount = toInt16(g.CorrectCount + 1);
        Imgdelvo[DelvoShown]->setPicture(Imgdelvo[DelvoDelighted]->Picture());
    } else {
        g.IncorrectCount = toInt16(g.IncorrectCount + 1);
        LBLANS[g.CorrectAnswer]->setForeColor(0x00000000);  // shows the player the right answer
        Imgdelvo[DelvoShown]->setPicture(Imgdelvo[DelvoDismayed]->Picture());
    }
    // The answer and the move past its question count together: a close during the feedback
    // below saves a game that resumes at the next question, and the warning does not count
    // this question as left.
    g.CurrentQuestion = toInt16(g.CurrentQuestion + 1);
    Imgdelvo[DelvoShown]->Refresh();
    accessibility_->answerJudged(index);

    giveFeedback(index, right);
    // A close request has saved the progress and closed the window.
    if (Unloaded())
        return;

    Imgdelvo[DelvoShown]->setPicture(Imgdelvo[DelvoNeutral]->Picture());
    Imgdelvo[DelvoShown]->Refresh();
    LBLANS[g.CorrectAnswer]->setForeColor(g.AnswerColor);

    // A close request during the feedback showed the warning: it stays, with no question under it.
    if (closeRequestedDuringAnswer())
        return;
    if (g.CurrentQuestion <= g.QuestionCount) {
        NEXTQUESTION();
        return;
    }
    showFinalScreen();
}

// The window unloaded or shows the close warning: while an answer is handled, nothing else
// sets either.
bool Form2::closeRequestedDuringAnswer() const { return Unloaded() || game().CloseWarned == 1; }

void Form2::giveFeedback(int16_t index, bool right)
{
    const GameState& g = game();
    if (g.ClipPlaying != 0)
        StopClipForAnswer();
    setAnswerButtonsEnabled(true);
    if (closeRequestedDuringAnswer())
        return;

    PlayIfSoundOn(right ? "RIGHT.WAV" : "WRONG.WAV", PlayToTheEnd);
    if (g.soundIsOn() && g.showsMusicQuestion())
        WaitWithoutEvents(0.5);
    // Close requests that came during a wait without events run when it ends.
    if (closeRequestedDuringAnswer())
        return;
    if (!g.ExtraText.isEmpty() && index == g.ExtraAnswer) {
        showExtraRemark();
        if (closeRequestedDuringAnswer())
            return;
    }
    WaitWithoutEvents(1.0);
}

void Form2::placeExtraRemark()
{
    const GameState& g = game();
    LBLEXTRA->show();
    LBLEXTRA->setCaption(g.ExtraText);
    LBLEXTRA->setFontSize(g.BaseFontSize - 2);
    const QRectF place = layout_->placeRemark(g.ExtraText);
    LBLEXTRA->Move(place.left(), place.top());
}

void Form2::showExtraRemark()
{
    GameState& g = game();
    placeExtraRemark();
    setAnswerButtonsEnabled(false);
    g.ExtraShowing = 1;
    WaitWithEvents(2.0);
    g.ExtraShowing = 0;
    LBLEXTRA->hide();
    setAnswerButtonsEnabled(true);
}

void Form2::showFinalScreen()
{
    const GameState& g = game();
    // The score stands above the verdict, both at the warning's left.
    Label2->setLeft(Label4->Left());
    showInPlaceOfQuestion(VerdictText(g.CorrectCount, g.IncorrectCount, g.QuestionCount));
    Label2->setCaption(FinalScoreText(g.CorrectCount, g.IncorrectCount));
    accessibility_->update();
    SilenceIfSoundOn();
    PlayIfSoundOn("CLAPPING.WAV", PlayAndGoOn);
}
