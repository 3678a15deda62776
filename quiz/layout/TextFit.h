#pragma once
// Whether a question's texts fit the quiz window at one screen size, measured with the game's
// own fonts and layout: a text wider than the window is cut, and one that runs into the
// picture, the Close button or below the window is hidden in part. Needs no window (a
// QGuiApplication, for the fonts, is enough).
#include "quiz/layout/QuizWindowLayout.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QStringList>

// The texts of one question as the game shows them.
struct QuestionTexts {
    int number = 1;         // shown as "N." before the question
    QString question;
    QStringList answers{QString()};  // answers 1 to n at indices 1..n; index 0 unused
    QString remark;         // the extra remark, or empty
};

struct TextFitFinding {
    enum class Part { Question, Answer, Remark };
    Part part;
    int answer = 0;   // 1 to 4 for an answer
    int pixels = 0;   // by how much, in whole pixels
    QString message;  // e.g. "answer 2 is 87 px wider than the window at 800x600"
};

// The quiz window's layout on a screen of `pixels` at 96 dots per inch (15 twips per pixel),
// with pictures of the stored pictures' size.
QuizWindowLayout quizLayoutForScreen(QSize pixels);

// Every text of `texts` that does not fit `layout`; `screenName` (e.g. "800x600") ends each message.
QList<TextFitFinding> findTextsThatDoNotFit(const QuizWindowLayout& layout, const QString& screenName,
                                            const QuestionTexts& texts);
