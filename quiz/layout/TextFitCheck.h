#pragma once
// The bank check's measure of a question's texts at screen sizes, with the game's own fonts and
// layout: each text that would be cut or hidden in part is a finding at its field. Shared by
// quorvel-bank check and the editor.
#include "questions/BankCheck.h"
#include "quiz/layout/QuizWindowLayout.h"

#include <QList>
#include <QSize>
#include <QString>
#include <optional>

class TextFitCheck {
public:
    // The screen sizes of the option values ("800x600"), or the two common ones when none is
    // given; nothing when a value is not WIDTHxHEIGHT.
    static std::optional<QList<QSize>> screens(const QStringList& optionValues);

    explicit TextFitCheck(const QList<QSize>& screens);

    // "question N: answer 2 is 87 px wider than the window at 800x600", at the text's field.
    QList<BankFinding> check(const BankQuestion& question, int number) const;

private:
    struct Screen {
        QString name;
        QuizWindowLayout layout;
    };
    QList<Screen> screens_;
};
