#include "QuizAccessibility.h"

#include "CommandButton.h"
#include "Form2.h"
#include "GameState.h"
#include "ImageBox.h"
#include "Label.h"

namespace {

const QString RightAnswerMark = QStringLiteral("Right answer");

} // namespace

QuizAccessibility::QuizAccessibility(Form2& form) : form_(form)
{
    form.Label4->setAlert(true);
    form.LBLEXTRA->setAlert(true);
    form.Imgdelvo[2]->setAccessibleName(QStringLiteral("Delvo, neutral"));
    form.Imgdelvo[3]->setAccessibleName(QStringLiteral("Delvo, delighted"));
    form.Imgdelvo[4]->setAccessibleName(QStringLiteral("Delvo, dismayed"));
    form.Image1->setAccessibleName(QStringLiteral("Music"));
    QObject::connect(form.Imgdelvo[1], &platform::ImageBox::pictureChanged, &form, [this] { nameDelvo(); });
    nameDelvo();
}

void QuizAccessibility::update()
{
    Form2& f = form_;
    for (int i = 1; i <= 4; ++i) {
        // A button beside an empty answer still needs a name to be told apart.
        const QString answer = f.LBLANS[i]->Caption();
        f.cmdans[i]->setAccessibleName(f.cmdans[i]->isHidden() ? QString()
                                       : answer.isEmpty()       ? QStringLiteral("Answer %1").arg(i)
                                                                : answer);
        f.cmdans[i]->setAccessibleDescription(QString());
        f.LBLANS[i]->setAccessibleDescription(QString());
    }
    // The verdict is read with the score above it.
    f.Label4->setAccessibleDescription(f.Label4->isHidden() ? QString() : f.Label2->text());
    const QString shown = shownText();
    f.Command1->setAccessibleDescription(feedback_.isEmpty() ? shown : feedback_ + QLatin1Char(' ') + shown);
    feedback_.clear();
}

void QuizAccessibility::answerJudged(int16_t index)
{
    Form2& f = form_;
    const int16_t right = game().CorrectAnswer;
    if (index == right) {
        feedback_ = QStringLiteral("Right.");
    } else {
        feedback_ = QStringLiteral("Wrong. The right answer was %1.").arg(f.LBLANS[right]->Caption());
        f.cmdans[right]->setAccessibleDescription(RightAnswerMark);
        f.LBLANS[right]->setAccessibleDescription(RightAnswerMark);
    }
    // Said at once to a player who pressed the answer from the keyboard or from Close.
    f.cmdans[index]->setAccessibleDescription(feedback_);
    f.Command1->setAccessibleDescription(feedback_);
}

QString QuizAccessibility::shownText() const
{
    const Form2& f = form_;
    if (!f.Label4->isHidden())
        return f.Label2->text().isEmpty() ? f.Label4->text() : f.Label2->text() + QLatin1Char('\n') + f.Label4->text();
    return f.Label22->text() + QLatin1Char(' ') + f.Label2->text();
}

void QuizAccessibility::nameDelvo()
{
    Form2& f = form_;
    const qint64 shown = f.Imgdelvo[1]->Picture().cacheKey();
    QString name;
    for (int i = 2; i <= 4; ++i)
        if (f.Imgdelvo[i]->Picture().cacheKey() == shown)
            name = f.Imgdelvo[i]->accessibleName();
    f.Imgdelvo[1]->setAccessibleName(name.isEmpty() ? QStringLiteral("Delvo") : name);
}
