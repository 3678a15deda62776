#include "editor/BankPlay.h"

#include "core/GameState.h"
#include "core/RunTimeError.h"
#include "questions/BankFile.h"
#include "questions/ProgressFile.h"
#include "startup/DataFolders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// The progress file that starts the game at question `first`, with sound on and no answers yet:
// written by the game's own save, the editor's game state kept as it was.
void writeProgress(const QString& path, int first)
{
    const GameState kept = game();
    game().UserFile = path;
    game().SoundOn = 1;
    game().CurrentQuestion = static_cast<int16_t>(first);
    game().CorrectCount = game().IncorrectCount = 0;
    int16_t save = 2;
    try {
        ProgressFile(save);
    } catch (...) {
        game() = kept;
        throw;
    }
    game() = kept;
}

} // namespace

BankPlay::BankPlay(QObject* parent) : QObject(parent)
{
    connect(&game_, &QProcess::finished, this, &BankPlay::finished);
    connect(&game_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            emit ended(tr("The game could not start: %1").arg(game_.errorString()));
    });
}

// A game still running when the editor closes ends with it: its folder goes away.
BankPlay::~BankPlay()
{
    game_.kill();
    game_.waitForFinished(3000);
}

QString BankPlay::gameProgram()
{
    const QString beside = QCoreApplication::applicationDirPath() + QStringLiteral("/quorvel-challenge");
    if (QFileInfo(beside).isExecutable())
        return beside;
    // Debian installs the game in /usr/games, which a desktop session's PATH may lack.
    const QString found = QStandardPaths::findExecutable(QStringLiteral("quorvel-challenge"));
    return found.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("quorvel-challenge"), {QStringLiteral("/usr/games")})
                           : found;
}

void BankPlay::start(const QuestionBank& bank, const QString& clipFolder, int first)
{
    if (running())
        throw RunTimeError(tr("the game is still running"));
    const QString program = gameProgram();
    if (program.isEmpty())
        throw RunTimeError(tr("the game quorvel-challenge is not installed"));
    auto folder = std::make_unique<QTemporaryDir>();
    if (!folder->isValid())
        throw RunTimeError(tr("cannot make a folder for the game: %1").arg(folder->errorString()));
    const QString bankFolder = folder->filePath(QStringLiteral("bank"));
    const QString home = folder->filePath(QStringLiteral("home"));
    QDir().mkpath(bankFolder);
    saveCodedBank(bank, bankFolder + QStringLiteral("/DATA.ASC"));
    // The clips and any sounds of the bank's own folder, as the game would find them there.
    if (!clipFolder.isEmpty()) {
        for (const QFileInfo& file : QDir(clipFolder).entryInfoList({QStringLiteral("*.mp3"), QStringLiteral("*.wav")}, QDir::Files))
            QFile::link(file.absoluteFilePath(), QDir(bankFolder).filePath(file.fileName()));
    }
    const QString progress = bankProgressFile(home + QStringLiteral("/quorvel-challenge"), bankFolder);
    QDir().mkpath(QFileInfo(progress).absolutePath());
    writeProgress(progress, first);

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home);
    game_.setProcessEnvironment(environment);
    game_.setProgram(program);
    game_.setArguments({QStringLiteral("--data"), bankFolder});
    game_.setProcessChannelMode(QProcess::ForwardedOutputChannel);
    folder_ = std::move(folder);
    game_.start();
}

void BankPlay::finished(int status, QProcess::ExitStatus how)
{
    const QString error = QString::fromLocal8Bit(game_.readAllStandardError()).trimmed().section(QLatin1Char('\n'), -1);
    folder_.reset();
    if (how == QProcess::CrashExit)
        emit ended(tr("The game crashed"));
    else if (status != 0)
        emit ended(error.isEmpty() ? tr("The game ended with status %1").arg(status)
                                   : tr("The game ended with an error: %1").arg(error));
    else
        emit ended(tr("The game ended"));
}
