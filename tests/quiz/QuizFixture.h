#pragma once
// One quiz window over a real data folder: a small bank coded by the bank's own conversion,
// USER.ASC written by the game, a screen of a chosen size, a lock file of the test's own, and
// (for the in-process game) a clock that runs on its own so that the waits take no real time.
#include "platform/Clock.h"
#include "tests/quiz/Form2View.h"
#include "core/GameState.h"
#include "platform/ScreenMetrics.h"
#include "tests/support/TestFolder.h"

#include <QStringList>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

// A question of the plain bank, field by field, with copies that change a few of them.
struct PlainQuestion {
    int kind = OrdinaryQuestion;
    int extraAnswer = 0;
    int rightAnswer = 1;
    QString clip;
    QString text = QStringLiteral("Question?");
    QStringList answers{QStringLiteral("Yes"), QStringLiteral("No")};
    QString extra;

    PlainQuestion asking(QString question) const
    {
        PlainQuestion q = *this;
        q.text = std::move(question);
        return q;
    }
    PlainQuestion withAnswers(QStringList answerTexts, int right = 1) const
    {
        PlainQuestion q = *this;
        q.answers = std::move(answerTexts);
        q.rightAnswer = right;
        return q;
    }
    // The remark that answer `answer` brings up.
    PlainQuestion withRemark(int answer, QString remark) const
    {
        PlainQuestion q = *this;
        q.extraAnswer = answer;
        q.extra = std::move(remark);
        return q;
    }
    PlainQuestion withClip(QString clipName) const
    {
        PlainQuestion q = *this;
        q.kind = MusicQuestion;
        q.clip = std::move(clipName);
        return q;
    }
};

// Time passes only when the game asks for it: every reading moves on 1 ms, every pause by its
// length. `onPause` sees the window while the game waits.
class FakeClock : public platform::Clock::Source {
public:
    double now() override { return t += 0.001; }
    void sleep(int64_t milliseconds) override
    {
        t += milliseconds / 1000.0;
        if (onPause)
            onPause();
    }
    double t = 1000;
    std::function<void()> onPause;
};

class QuizFixture : public testing::Test {
protected:
    explicit QuizFixture(bool fakeClock = true);
    ~QuizFixture() override;

    void writeBank(const QList<PlainQuestion>& questions);
    // Progress as a saved USER.ASC holds it.
    void writeProgress(int soundOn, int currentQuestion, int correct, int incorrect);
    // Creates and loads the window; the intro's part sets the paths and loads the progress.
    Form2View load(platform::ScreenInfo screen = {800, 600, 15, 15});
    // Loads the window over the given progress and shows its first question.
    Form2View start(int currentQuestion, int correct, int incorrect, int savedSoundOn = 0);
    Form2View view() const { return Form2View(*form); }
    void answer(int index) { form->cmdans_Click(static_cast<int16_t>(index)); }
    QStringList progressLines() const;

    TestFolder folder;
    FakeClock clock;
    std::unique_ptr<Form2> form;
    int16_t soundOn = 0;  // what the sound check leaves after the progress load
};
