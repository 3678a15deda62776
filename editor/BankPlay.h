#pragma once
// Plays the open bank in the real game as the author has it now, unsaved changes included. The
// bank goes into a throw-away folder beside links to its clips and sounds; the game plays that
// folder (--data) with a throw-away data folder of its own, whose progress file starts it at
// the chosen question. The author's own game and the bank file are never touched.
#include "questions/BankQuestion.h"

#include <QObject>
#include <QProcess>
#include <memory>

class QTemporaryDir;

class BankPlay : public QObject {
    Q_OBJECT
public:
    explicit BankPlay(QObject* parent);
    ~BankPlay() override;

    // Starts the game on `bank` (clips from `clipFolder`) at question `first` (1..count).
    // Throws RunTimeError saying why it cannot: a bank the game cannot play, no game found.
    void start(const QuestionBank& bank, const QString& clipFolder, int first);
    bool running() const { return game_.state() != QProcess::NotRunning; }

    // The game program: beside the editor, else on the PATH.
    static QString gameProgram();

signals:
    // How the game ended: at the player's request, or with its error.
    void ended(const QString& how);

private:
    void finished(int status, QProcess::ExitStatus how);

    QProcess game_;
    std::unique_ptr<QTemporaryDir> folder_;
};
