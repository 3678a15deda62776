#include "quiz/QuizAccessibility.h"

#include "platform/CommandButton.h"
#include "quiz/Form2.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"

namespace {

const QString RightAnswerMark = QStringLiteral("Right answer");

// Qt tells the screen reader of every call, changed or not: only changes are passed on, so that
// a screen reader hears of nothing that stayed the same.
void describe(QWidget* widget, const QString& description)
{
    if (widget->accessibleDescription() != description)
        widget->setAccessibleDescription(description);
}

void rename(QWidget* widget, const QString& name)
{
    if (widget->accessibleName() != name)
        widget->setAccessibleName(name);
}

} // namespace

QuizAccessibility::QuizAccessibility(Form2& form) : form_(form)
{
    form.Label4->setAlert(true);
    form.LBLEXTRA->setAlert(true);
    form.Imgdelvo[Form2::DelvoNeutral]->setAccessibleName(QStringLiteral("Delvo, neutral"));
    form.Imgdelvo[Form2::DelvoDelighted]->setAccessibleName(QStringLiteral("Delvo, delighted"));
    form.Imgdelvo[Form2::DelvoDismayed]->setAccessibleName(QStringLiteral("Delvo, dismayed"));
    form.Image1->setAccessibleName(QStringLiteral("Music"));
    QObject::connect(form.Imgdelvo[Form2::DelvoShown], &platform::ImageBox::pictureChanged, &form, [this] { nameDelvo(); });
    nameDelvo();
}

void QuizAccessibility::update()
{
    Form2& f = form_;
    for (int i = 1; i <= 4; ++i) {
        // A button beside an empty answer still needs a name to be told apart.
        const QString answer = f.LBLANS[i]->Caption();
        rename(f.cmdans[i], f.cmdans[i]->isHidden() ? QString()
                            : answer.isEmpty()       ? QStringLiteral("Answer %1").arg(i)
                                                     : answer);
        describe(f.cmdans[i], QString());
        describe(f.LBLANS[i], QString());
    }
    // The verdict is read with the score above it.
    describe(f.Label4, f.Label4->isHidden() ? QString() : f.Label2->text());
    const QString shown = shownText();
    describe(f.Command1, feedback_.isEmpty() ? shown : feedback_ + QLatin1Char(' ') + shown);
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
        describe(f.cmdans[right], RightAnswerMark);
        describe(f.LBLANS[right], RightAnswerMark);
    }
    // Said at once to a player who pressed the answer from the keyboard or from Close.
    describe(f.cmdans[index], feedback_);
    describe(f.Command1, feedback_);
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
    const qint64 shown = f.Imgdelvo[Form2::DelvoShown]->Picture().cacheKey();
    QString name;
    for (const int face : {Form2::DelvoNeutral, Form2::DelvoDelighted, Form2::DelvoDismayed})
        if (f.Imgdelvo[face]->Picture().cacheKey() == shown)
            name = f.Imgdelvo[face]->accessibleName();
    rename(f.Imgdelvo[Form2::DelvoShown], name.isEmpty() ? QStringLiteral("Delvo") : name);
}
