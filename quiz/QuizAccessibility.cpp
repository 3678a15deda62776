#include "quiz/QuizAccessibility.h"

#include "platform/Announcer.h"
#include "platform/CommandButton.h"
#include "quiz/Form2.h"
#include "core/GameState.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"
#include "platform/ScreenReader.h"

#include <QEvent>

namespace {

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

QuizAccessibility::QuizAccessibility(Form2& form) : form_(form), announcer_(new platform::Announcer(&form))
{
    form.Label4->setAlert(true);
    form.LBLEXTRA->setAlert(true);
    form.Command1->installEventFilter(this);
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
    }
    // The verdict is read with the score above it.
    describe(f.Label4, f.Label4->isHidden() ? QString() : f.Label2->text());
    const QString shown = shownText();
    describe(f.Command1, shown);
    // Close that took the focus since the screen reader last read the window is read out with
    // this description, as is the window when it becomes active; Close that kept the focus
    // says nothing by itself.
    if (f.isActiveWindow() && (!f.Command1->hasFocus() || closeFocusedInRound_ != platform::ScreenReaderRounds()))
        announcer_->say(shown);
}

void QuizAccessibility::labelShown(const platform::Label* label) { announcer_->say(label->text()); }

bool QuizAccessibility::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn)
        closeFocusedInRound_ = platform::ScreenReaderRounds();
    return QObject::eventFilter(watched, event);
}

void QuizAccessibility::answerJudged(int16_t index)
{
    Form2& f = form_;
    const int16_t right = game().CorrectAnswer;
    announcer_->say(index == right ? QStringLiteral("Right.")
                                   : QStringLiteral("Wrong. The right answer was %1.").arg(f.LBLANS[right]->Caption()));
    // The question is answered: Close, should the focus pass to it meanwhile, no longer reads it.
    describe(f.Command1, QString());
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
