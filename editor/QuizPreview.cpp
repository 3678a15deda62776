#include "editor/QuizPreview.h"

#include "core/QuestionKinds.h"
#include "quiz/Form2.h"
#include "platform/Label.h"
#include "core/RunTimeError.h"
#include "platform/ScreenMetrics.h"

#include <QFile>

QuizPreview::QuizPreview() = default;

QuizPreview::~QuizPreview() = default;

void QuizPreview::writeBank(const BankQuestion& question)
{
    // The clip's interlude is not part of the picture: the preview shows the question that follows it.
    BankQuestion shown = question;
    shown.kind = shown.kind == MusicQuestion ? OrdinaryQuestion : shown.kind;
    QuestionBank bank;
    bank.questions.append(shown);
    QFile file(folder_.filePath(QStringLiteral("DATA.ASC")));
    if (!file.open(QIODevice::WriteOnly) || file.write(codedBankBytes(bank)) < 0)
        throw RunTimeError::inFile(file.fileName(), 0, QStringLiteral("cannot write the preview's bank"));
}

QuizPreview::Window& QuizPreview::windowFor(QSize screen)
{
    const auto key = std::pair{screen.width(), screen.height()};
    auto found = windows_.find(key);
    if (found != windows_.end())
        return found->second;
    resetGame();
    const QString dataFolder = folder_.path() + QLatin1Char('/');
    auto form = std::make_unique<Form2>(
        [dataFolder] {
            GameState& g = game();
            g.DataFolder = dataFolder;
            g.BankFile = dataFolder + QStringLiteral("DATA.ASC");
            g.PlainBankFile = dataFolder + QStringLiteral("DATANON.ASC");
            g.UserFile = dataFolder + QStringLiteral("USER.ASC");
            g.CurrentQuestion = 1;
            g.SoundOn = 0;
        },
        folder_.filePath(QStringLiteral("preview-%1x%2.lock").arg(screen.width()).arg(screen.height())));
    platform::ScreenMetrics::setOverride(platform::ScreenInfo{screen.width(), screen.height(), 15, 15});
    const bool loaded = form->Form_Load();
    platform::ScreenMetrics::setOverride(std::nullopt);
    if (!loaded)
        throw RunTimeError(QStringLiteral("the quiz window did not load"));
    Window& window = windows_[key];
    window.form = std::move(form);
    window.state = game();
    return window;
}

QImage QuizPreview::render(const BankQuestion& question, int number, QSize screen, bool remarkPicked, QString& error)
{
    error.clear();
    try {
        writeBank(question);
        Window& window = windowFor(screen);
        GameState& g = game();
        g = window.state;
        // Every question number up to `number` starts at the one record, so the quiz shows it
        // with its own number.
        g.QuestionCount = static_cast<int16_t>(number);
        g.QuestionStart.assign(number + 1, 2);
        g.QuestionStart[0] = 0;
        g.CurrentQuestion = static_cast<int16_t>(number);
        window.form->hideExtraRemark();
        window.form->NEXTQUESTION();
        if (remarkPicked && !g.ExtraText.isEmpty())
            window.form->placeExtraRemark();
        return window.form->grab().toImage();
    } catch (const RunTimeError& e) {
        error = e.message();
        return {};
    }
}
