// cmdans_Click: the quiz's rules judge and count an answer; the window gives the feedback and
// moves on to the next question or to the final score and verdict.
#include "quiz/Form2.h"

#include "platform/CommandButton.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "quiz/QuizAccessibility.h"
#include "quiz/QuizTexts.h"
#include "support/GameSounds.h"
#include "quiz/Waits.h"

void Form2::cmdans_Click(int16_t index)
{
    const GameState& g = game();
    // A click while the remark shows is turned away; under the close warning nothing is answered.
    if (!rules_.takesAnswers())
        return;
    // Counted and past its question at once, and saved: a close during the feedback below keeps
    // both, and so does a killed game or a lost display.
    const bool right = rules_.judge(index);
    // Told before anything else changes, so a screen reader says it first.
    accessibility_->answerJudged(index);
    // The clip stays silent from the answer until the next question shows.
    Command2->setEnabled(false);
    keepProgress();
    if (right) {
        Imgdelvo[DelvoShown]->setPicture(Imgdelvo[DelvoDelighted]->Picture());
    } else {
        LBLANS[g.CorrectAnswer]->setForeColor(0x00000000);  // shows the player the right answer
        Imgdelvo[DelvoShown]->setPicture(Imgdelvo[DelvoDismayed]->Picture());
    }
    Imgdelvo[DelvoShown]->Refresh();

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
    if (rules_.isOver())
        showFinalScreen();
    else
        NEXTQUESTION();
}

// The window unloaded or shows the close warning: while an answer is handled, nothing else
// sets either.
bool Form2::closeRequestedDuringAnswer() const { return Unloaded() || rules_.closeWarned(); }

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
    // A close request given during the sound or the pause (Esc, the Close button, the close box)
    // has run as it ended; the clicks and other keys given then were dropped.
    if (closeRequestedDuringAnswer())
        return;
    if (rules_.bringsRemark(index)) {
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

void Form2::hideExtraRemark() { LBLEXTRA->hide(); }

void Form2::showExtraRemark()
{
    placeExtraRemark();
    accessibility_->labelShown(LBLEXTRA);
    setAnswerButtonsEnabled(false);
    rules_.setRemarkShowing(true);
    WaitWithEvents(2.0);
    rules_.setRemarkShowing(false);
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
