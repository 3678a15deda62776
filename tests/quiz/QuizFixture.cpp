#include "tests/quiz/QuizFixture.h"

#include "questions/BankConversion.h"
#include "questions/ProgressFile.h"

QuizFixture::QuizFixture(bool fakeClock)
{
    resetGame();
    if (fakeClock)
        platform::Clock::setSource(&clock);
}

QuizFixture::~QuizFixture()
{
    form.reset();
    platform::Clock::setSource(nullptr);
    platform::ScreenMetrics::setOverride(std::nullopt);
    resetGame();
}

void QuizFixture::writeBank(const QList<PlainQuestion>& questions)
{
    QStringList lines{QStringLiteral("Test bank"), QStringLiteral("second header")};
    int number = 0;
    for (const PlainQuestion& q : questions) {
        lines << QString::number(q.kind) << QString::number(q.extraAnswer)
              << QString::number(q.rightAnswer) << q.clip << q.text;
        QStringList answers = q.answers;
        if (!q.extra.isEmpty()) {
            while (answers.size() < 4)
                answers << QString();
        }
        lines << answers;
        if (!q.extra.isEmpty())
            lines << q.extra;
        lines << QStringLiteral("''' %1").arg(++number);
    }
    folder.write(QStringLiteral("DATANON.ASC"), lines.join(QStringLiteral("\r\n")).toLatin1() + "\r\n");
    convertPlainBank(folder.file(QStringLiteral("DATANON.ASC")), folder.file(QStringLiteral("DATA.ASC")));
}

void QuizFixture::writeProgress(int soundOn, int currentQuestion, int correct, int incorrect)
{
    folder.write(QStringLiteral("USER.ASC"), QStringLiteral("Progress\r\n%1\r\n%2\r\n%3\r\n%4\r\n")
                                                 .arg(soundOn).arg(currentQuestion).arg(correct).arg(incorrect).toLatin1());
}

Form2View QuizFixture::start(int currentQuestion, int correct, int incorrect, int savedSoundOn)
{
    writeProgress(savedSoundOn, currentQuestion, correct, incorrect);
    const Form2View f = load();
    f.window.show();
    f.window.Form_Activate();
    return f;
}

Form2View QuizFixture::load(platform::ScreenInfo screen)
{
    platform::ScreenMetrics::setOverride(screen);
    form = std::make_unique<Form2>(
        [this] {
            GameState& g = game();
            g.DataFolder = folder.path();
            g.BankFile = folder.file(QStringLiteral("DATA.ASC"));
            g.PlainBankFile = folder.file(QStringLiteral("DATANON.ASC"));
            g.UserFile = folder.file(QStringLiteral("USER.ASC"));
            int16_t loadMode = 1;
            ProgressFile(loadMode);
            g.SoundOn = soundOn;
        },
        folder.file(QStringLiteral("quorvel.lock")));
    EXPECT_TRUE(form->Form_Load());
    return view();
}

QStringList QuizFixture::progressLines() const
{
    return QString::fromLatin1(folder.read(QStringLiteral("USER.ASC"))).split(QStringLiteral("\r\n"));
}
