#pragma once
// A question drawn by the quiz window itself: a real Form2, laid out for a screen of the chosen
// size, shows the question through NEXTQUESTION from a one-question bank of its own, and its
// picture is taken. Nothing of the layout is done here.
#include "questions/BankQuestion.h"
#include "core/GameState.h"

#include <QImage>
#include <QSize>
#include <QTemporaryDir>
#include <map>
#include <memory>

class Form2;

class QuizPreview {
public:
    QuizPreview();
    ~QuizPreview();

    // The window's client area showing `question` as question number `number`, with its
    // remark as a click on the remark's answer shows it when `remarkPicked`. A question the
    // quiz cannot show gives the empty image and `error` says why.
    QImage render(const BankQuestion& question, int number, QSize screen, bool remarkPicked, QString& error);

private:
    struct Window {
        std::unique_ptr<Form2> form;
        GameState state;  // what its load step left in the game state
    };
    Window& windowFor(QSize screen);
    void writeBank(const BankQuestion& question);

    QTemporaryDir folder_;
    std::map<std::pair<int, int>, Window> windows_;
};
