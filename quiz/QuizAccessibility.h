#pragma once
// What a screen reader says about the quiz window. While a question is on show the keyboard
// focus stays on Close, so Close's description carries what the window says now: the question
// (after an answer, led by the words on that answer), the close warning, or the final score
// with its verdict. The answer buttons are named after their answers, hidden ones not at all;
// Delvo's picture is named after his face; the warning and the extra remark are alerts.
#include <QString>
#include <cstdint>

class Form2;

class QuizAccessibility {
public:
    explicit QuizAccessibility(Form2& form);

    // After the window has changed what it says: a new question, the warning, the final screen.
    void update();
    // After the answer `index` has been judged against the right one, while Delvo's face and
    // the right answer's colour show the result.
    void answerJudged(int16_t index);

private:
    QString shownText() const;
    void nameDelvo();

    Form2& form_;
    QString feedback_;  // the words on the last answer, said before the next question
};
