// The quiz window's load step: the second-copy check, the screen class, the intro, and the
// window's place and layout by screen class.
#include "quiz/Form2.h"

#include "platform/Clock.h"
#include "platform/CommandButton.h"
#include "platform/Events.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "platform/MessageBox.h"
#include "core/Numbers.h"
#include "platform/Random.h"
#include "questions/ReadQuestion.h"
#include "platform/ScreenMetrics.h"
#include "platform/SingleInstance.h"
#include "quiz/Waits.h"
#include "support/GameSounds.h"

using platform::ScreenMetrics;

bool Form2::Form_Load()
{
    GameState& g = game();
    // Only one copy of the game runs at a time.
    if (instanceLock_->PrevInstance()) {
        MsgBox(QStringLiteral("This program is already running"), vbCritical, QStringLiteral("Aborted"));
        return false;
    }
    // The answers' own colour, given back to the right answer after a wrong answer showed it in
    // black; the seed of the intro's random transitions; the screen's twips per pixel.
    g.AnswerColor = LBLANS[1]->ForeColor();
    platform::Randomize(platform::Clock::timeOfDay());
    g.TwipsPerPixelX = toInt32(ScreenMetrics::twipsPerPixelX());
    g.TwipsPerPixelY = toInt32(ScreenMetrics::twipsPerPixelY());
    // Screen class, and the smaller fonts of a large-font display; with them the whole
    // window's layout.
    layout_.emplace(ScreenMetrics::current(), QSizeF(Imgdelvo[DelvoNeutral]->Picture().size()));
    g.FontReduction = layout_->fontReduction();
    // The intro sets the data folder and loads the progress.
    intro_();
    progressLoaded_ = true;
    // The screen class's fonts and spacings; the window's place and its controls'.
    g.BaseFontSize = layout_->baseFontSize();
    g.SpacingX = layout_->spacingX();
    g.SpacingY = layout_->spacingY();
    layOut();
    // The question bank's index; then any sound left of the intro is cut off, and a short pause
    // comes before the window shows.
    IndexQuestionBank();
    SilenceIfSoundOn();
    WaitWithoutEvents(0.1);
    platform::DoEvents();
    return true;
}

void Form2::layOut()
{
    const GameState& g = game();
    const QuizWindowLayout& layout = *layout_;
    const QRectF window = layout.windowTwips();
    MoveTwips(window.left(), window.top(), window.width(), window.height());

    for (platform::Label* label : {Label2, Label22, Label3, Label4, LBLANS[1], LBLANS[2], LBLANS[3], LBLANS[4]})
        label->setFontSize(g.BaseFontSize);
    for (int i = 1; i <= 4; ++i) {
        cmdans[i]->setHeight(layout.answerButtonSide());
        cmdans[i]->setWidth(layout.answerButtonSide());
    }
    Label2->setTop(g.SpacingY);
    Label22->Move(layout.numberPlace().x(), layout.numberPlace().y());
    Label4->Move(layout.warningPlace().x(), layout.warningPlace().y());

    for (platform::CommandButton* button : {Command1, Command2})
        button->setFontSize(layout.buttonFontSize());
    const QRectF close = layout.closeButton();
    Command1->Move(close.left(), close.top(), close.width(), close.height());
    const QRectF replay = layout.replayButton();
    Command2->Move(replay.left(), replay.top(), replay.width(), replay.height());

    Label2->show();
    Command1->show();

    // Small screens show the pictures at their own size.
    Imgdelvo[DelvoShown]->setStretch(layout.screenClass().screenClass > 2);
    Imgdelvo[DelvoShown]->setPicture(Imgdelvo[DelvoNeutral]->Picture());
    const QRectF picture = layout.picture();
    Imgdelvo[DelvoShown]->Move(picture.left(), picture.top(), picture.width(), picture.height());
    Imgdelvo[DelvoShown]->show();
}
