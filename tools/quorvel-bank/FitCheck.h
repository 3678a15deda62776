#pragma once
// check's measure of every question, answer and remark at screen sizes, with the game's own
// fonts and layout: each text that would be cut or hidden in part is a finding.
#include <QList>
#include <QSize>
#include <QString>
#include <optional>

struct QuestionRecord;

class FitCheck {
public:
    // The screen sizes of the option values ("800x600"), or the two common ones when none is
    // given; nothing when a value is not WIDTHxHEIGHT.
    static std::optional<QList<QSize>> screens(const QStringList& optionValues);

    explicit FitCheck(const QList<QSize>& screens);
    ~FitCheck();

    struct Finding {
        qint64 line;
        QString message;  // "question N: answer 2 is 87 px wider than the window at 800x600"
    };
    QList<Finding> check(int16_t number, const QuestionRecord& record) const;

private:
    struct Screen;
    QList<Screen> screens_;
};
