// NEXTQUESTION: puts the question numbered CurrentQuestion on the window.
#include "Form2.h"

#include "CommandButton.h"
#include "GameState.h"
#include "ImageBox.h"
#include "Label.h"
#include "Numbers.h"
#include "ReadQuestion.h"
#include "RunTimeError.h"
#include "Waits.h"

void Form2::NEXTQUESTION()
{
    GameState& g = game();
    Command1->setFocus();

    g.ExtraText.clear();
    g.ClipName.clear();
    int16_t mode = 2;
    int16_t number = g.CurrentQuestion;
    QString questionText;
    QStringList answers;
    ReadQuestion(mode, number, questionText, answers, g.QuestionKind, g.CorrectAnswer,
                 g.ExtraAnswer, g.ExtraText, g.ClipName);
    const int16_t answerCount = toInt16(answers.size() - 1);
    checkRightAnswer(answerCount);

    if (g.QuestionKind == 2) {
        playMusicInterlude();
        // A close request that came during the interlude has closed the window or shows the
        // warning beside the picture and the Close button; no question goes up under it.
        if (Unloaded() || g.CloseWarned == 1) {
            Imgdelvo[1]->show();
            Command1->show();
            return;
        }
        // The player may want to hear the clip again while the question is on show.
        Command2->setVisible(g.SoundOn == 1);
    } else {
        Command2->hide();
    }
    Command2->setEnabled(true);

    Imgdelvo[1]->show();
    Label22->setCaption(QString::number(g.CurrentQuestion) + QLatin1Char('.'));
    Label2->setLeft(Label22->Left() + Label22->Width() + 0.5 * g.SpacingX);
    Label2->setWidth(windowWidthPixels() - Label2->Left() - g.SpacingX);
    Label2->setCaption(questionText);
    Label2->show();
    Label22->show();
    Command1->show();
    Command1->setFocus();
    showAnswers(answers);
}

void Form2::checkRightAnswer(int16_t answerCount) const
{
    const GameState& g = game();
    if (g.CorrectAnswer >= 1 && g.CorrectAnswer <= answerCount)
        return;
    // The right answer is the record's third line.
    const qint64 line = g.QuestionStart.at(g.CurrentQuestion) + 3;
    throw RunTimeError::inFile(g.BankFile, line,
                               QStringLiteral("question %1 gives %2 as its right answer, but it has answers 1 to %3")
                                   .arg(g.CurrentQuestion)
                                   .arg(g.CorrectAnswer)
                                   .arg(answerCount));
}

void Form2::playMusicInterlude()
{
    const GameState& g = game();
    Imgdelvo[1]->hide();
    Label2->hide();
    Label22->hide();
    hideQuestion();
    Command1->hide();

    const double width = windowWidthPixels();
    const double height = windowHeightPixels();
    Image1->Move(width / 2 - Image1->Width() / 2, height / 2 - Image1->Height() / 2 - 1.5 * Label3->Height());
    Label3->Move(width / 2 - Label3->Width() / 2, Image1->Top() + Image1->Height());
    Image1->show();
    Label3->show();
    repaint();

    if (g.SoundOn == 1)
        StartClip();
    WaitWithoutEvents(1.0);
    Image1->hide();
    Label3->hide();
}

void Form2::showAnswers(const QStringList& answers)
{
    const GameState& g = game();
    const int answerCount = static_cast<int>(answers.size()) - 1;
    for (int i = 1; i <= 4; ++i) {
        if (i > answerCount) {
            cmdans[i]->hide();
            LBLANS[i]->hide();
            continue;
        }
        LBLANS[i]->setCaption(answers.at(i));
        // The button has no caption of its own: a screen reader reads the answer instead.
        cmdans[i]->setAccessibleName(answers.at(i));
        const double top = i == 1 ? Label2->Top() + Label2->Height() + 0.5 * g.SpacingY
                                  : LBLANS[i - 1]->Top() + LBLANS[i - 1]->Height();
        cmdans[i]->setLeft(1.5 * g.SpacingX);
        LBLANS[i]->setLeft(cmdans[i]->Left() + cmdans[i]->Width() + 0.7 * g.SpacingX);
        LBLANS[i]->setTop(roundHalfEven(top));
        cmdans[i]->setTop(LBLANS[i]->Top());
        cmdans[i]->show();
        LBLANS[i]->show();
    }
}
