// The quiz window's load step: the second-copy check, the screen class, the intro, and the
// window's place and layout by screen class.
#include "Form2.h"

#include "Clock.h"
#include "CommandButton.h"
#include "Events.h"
#include "GameState.h"
#include "ImageBox.h"
#include "Label.h"
#include "MessageBox.h"
#include "Numbers.h"
#include "Random.h"
#include "ReadQuestion.h"
#include "ScreenClass.h"
#include "ScreenMetrics.h"
#include "SingleInstance.h"
#include "Units.h"
#include "Waits.h"

using platform::ScreenMetrics;

bool Form2::Form_Load()
{
    GameState& g = game();
    // 1. Only one copy of the game runs at a time.
    if (instanceLock_->PrevInstance()) {
        MsgBox(QStringLiteral("This program is already running"), vbCritical, QStringLiteral("Aborted"));
        return false;
    }
    // 2. - 4.
    g.AnswerColor = LBLANS[1]->ForeColor();
    platform::Randomize(platform::Clock::timeOfDay());
    g.TwipsPerPixelX = toInt32(ScreenMetrics::twipsPerPixelX());
    g.TwipsPerPixelY = toInt32(ScreenMetrics::twipsPerPixelY());
    // 5. - 6. Screen class, and the smaller fonts of a large-font display.
    const ScreenClassValues& screen = ScreenClassFor(toInt16(TwipsToPixelsY(ScreenMetrics::heightTwips())));
    g.FontReduction = 0;
    if (ScreenMetrics::twipsPerPixelX() != 15)
        g.FontReduction = screen.fontReduction;
    // 7. The intro sets the data folder and loads the progress.
    intro_();
    // 8. - 17.
    g.BaseFontSize = toInt16(screen.baseFontSize - g.FontReduction);
    g.SpacingX = screen.spacingX;
    g.SpacingY = screen.spacingY;
    layOut(screen.bottomMargin, screen.screenClass, screen.closeFontDrop);
    // 18. - 20.
    int16_t mode = 1;
    int16_t number = 0;
    QString questionText;
    QStringList answers;
    int16_t kind = 0, rightAnswer = 0, extraAnswer = 0;
    QString extraText, clipName;
    ReadQuestion(mode, number, questionText, answers, kind, rightAnswer, extraAnswer, extraText, clipName);
    if (g.SoundOn == 1)
        playSound("NULL.WAV", 3);
    WaitWithoutEvents(0.1);
    platform::DoEvents();
    return true;
}

void Form2::layOut(int16_t bottomMargin, int16_t screenClass, int16_t closeFontDrop)
{
    const GameState& g = game();
    const double screenWidth = ScreenMetrics::widthTwips();
    const double screenHeight = ScreenMetrics::heightTwips();

    const double width = roundHalfEven(0.65 * screenWidth);
    const double height = roundHalfEven(0.5 * screenHeight);
    MoveTwips(screenWidth / 2 - width / 2, screenHeight / 2 - height / 2, width, height);

    Imgdelvo[1]->Move(Imgdelvo[1]->Left(), Imgdelvo[1]->Top(), 0.125 * TwipsToPixelsX(screenWidth),
                      0.223 * TwipsToPixelsY(screenHeight));
    // Small screens show the pictures at their own size.
    if (screenClass <= 2)
        Imgdelvo[1]->setStretch(false);

    for (platform::Label* label : {Label2, Label22, Label3, Label4, LBLANS[1], LBLANS[2], LBLANS[3], LBLANS[4]})
        label->setFontSize(g.BaseFontSize);
    for (int i = 1; i <= 4; ++i) {
        const double side = 0.8 * LBLANS[i]->Height();
        cmdans[i]->setHeight(side);
        cmdans[i]->setWidth(side);
    }
    Label2->setTop(g.SpacingY);
    Label22->setTop(Label2->Top());
    Label22->setLeft(1.5 * g.SpacingX);
    Label4->setTop(Label2->Top() + 1.3 * g.SpacingY);
    Label4->setLeft(g.SpacingX);

    const double windowWidth = windowWidthPixels();
    const double windowHeight = windowHeightPixels();
    const int16_t buttonFont = toInt16(g.BaseFontSize - closeFontDrop);
    Command1->setFontSize(buttonFont);
    Command1->setWidth(3.5 * g.SpacingX);
    Command1->setHeight(g.SpacingY);
    Command1->Move(windowWidth / 2 - Command1->Width() / 2, windowHeight - Command1->Height() - bottomMargin);
    Command2->setFontSize(buttonFont);
    Command2->Move(2 * g.SpacingX, Command1->Top(), 4 * g.SpacingX, Command1->Height());

    Label2->show();
    Command1->show();

    Imgdelvo[1]->setPicture(Imgdelvo[2]->Picture());
    Imgdelvo[1]->Move(windowWidth - Imgdelvo[1]->Width() - 0.5 * g.SpacingX,
                      windowHeight - Imgdelvo[1]->Height() - bottomMargin - g.SpacingY);
    Imgdelvo[1]->show();
}
