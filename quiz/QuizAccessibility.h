#pragma once
// What a screen reader says about the quiz window. While a question is on show the keyboard
// focus stays on Close, so Close's description carries what the window says now: the question,
// the close warning, or the final score with its verdict; a screen reader reads it when the
// focus comes to Close. Whatever appears while the focus stays where it is (right or wrong at
// the answer, the extra remark, "Listen", a question, the warning, the verdict) is said as it
// appears. The answer buttons are named after their answers, hidden ones not at all; Delvo's
// picture is named after his face.
#include <QObject>
#include <QString>
#include <cstdint>

class Form2;
namespace platform {
class Announcer;
class Label;
}

class QuizAccessibility : public QObject {
public:
    explicit QuizAccessibility(Form2& form);

    // After the window has changed what it says: a new question, the warning, the final screen.
    void update();
    // As soon as the answer `index` has been judged against the right one, before Delvo's face
    // and the right answer's colour show the result.
    void answerJudged(int16_t index);
    // A label with a message of its own has appeared: the extra remark, "Listen".
    void labelShown(const platform::Label* label);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString shownText() const;
    void nameDelvo();

    Form2& form_;
    platform::Announcer* announcer_;
    uint64_t closeFocusedInRound_ = 0;  // the screen reader round in which Close last took the focus
};
