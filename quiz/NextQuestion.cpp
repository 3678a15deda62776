// NEXTQUESTION: puts the question numbered CurrentQuestion on the window.
#include "quiz/Form2.h"

#include "platform/CommandButton.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "core/Numbers.h"
#include "quiz/QuizAccessibility.h"
#include "questions/ReadQuestion.h"
#include "quiz/Waits.h"

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
    rules_.checkRightAnswer(answerCount);

    if (g.showsMusicQuestion()) {
        playMusicInterlude();
        // A close request that came during the interlude has closed the window or shows the
        // warning beside the picture and the Close button; no question goes up under it.
        if (Unloaded() || rules_.closeWarned()) {
            Imgdelvo[DelvoShown]->show();
            Command1->show();
            return;
        }
        // The player may want to hear the clip again while the question is on show.
        Command2->setVisible(g.soundIsOn());
    } else {
        Command2->hide();
    }
    Command2->setEnabled(true);

    Imgdelvo[DelvoShown]->show();
    const QuestionPlacement place = layout_->placeQuestion(g.CurrentQuestion, questionText, answers);
    Label22->setCaption(QString::number(g.CurrentQuestion) + QLatin1Char('.'));
    // The width is set before the caption, so the text wraps at it.
    Label2->setLeft(place.question.left());
    Label2->setWidth(place.question.width());
    Label2->setCaption(questionText);
    Label2->show();
    Label22->show();
    Command1->show();
    Command1->setFocus();
    showAnswers(answers, place);
    accessibility_->update();
}

void Form2::playMusicInterlude()
{
    const GameState& g = game();
    Imgdelvo[DelvoShown]->hide();
    Label2->hide();
    Label22->hide();
    hideQuestion();
    Command1->hide();
    Command2->hide();

    const double width = windowWidthPixels();
    const double height = windowHeightPixels();
    Image1->Move(width / 2 - Image1->Width() / 2, height / 2 - Image1->Height() / 2 - 1.5 * Label3->Height());
    Label3->Move(width / 2 - Label3->Width() / 2, Image1->Top() + Image1->Height());
    Image1->show();
    Label3->show();
    accessibility_->labelShown(Label3);
    repaint();

    if (g.soundIsOn())
        StartClip();
    WaitWithoutEvents(1.0);
    Image1->hide();
    Label3->hide();
}

void Form2::showAnswers(const QStringList& answers, const QuestionPlacement& place)
{
    for (int i = 1; i <= 4; ++i) {
        if (i > place.answerCount) {
            cmdans[i]->hide();
            LBLANS[i]->hide();
            continue;
        }
        LBLANS[i]->setCaption(answers.at(i));
        LBLANS[i]->Move(place.answers[i].left(), place.answers[i].top());
        cmdans[i]->Move(place.buttons[i].left(), place.buttons[i].top());
        cmdans[i]->show();
        LBLANS[i]->show();
    }
}
