// Times the editor on the largest bank the game can count (32,767 questions) and prints the
// figures beside `quorvel-bank check` on the same file. Targets: opening and indexing the bank
// in the editor (its window and list) within 3 x the check; the check with its text fit within
// 2 x the check without it; every finding (every question checked, its texts measured) within
// 2 s, in slices that keep the window answering.
#include "editor/EditorWindow.h"
#include "editor/FindingsPanel.h"
#include "quiz/layout/TextFitCheck.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListView>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// The best of `runs` runs, in seconds.
double best(int runs, const std::function<void()>& action)
{
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        action();
        seconds.push_back(timer.nsecsElapsed() / 1e9);
    }
    return *std::min_element(seconds.begin(), seconds.end());
}

// Questions of every shape: two to four answers, a remark, a music question with its clip.
QuestionBank fullBank(const QString& folder)
{
    QFile clip(folder + QStringLiteral("/CLIP.MP3"));
    clip.open(QIODevice::WriteOnly);
    QuestionBank bank;
    for (int n = 1; n <= 32767; ++n) {
        BankQuestion q;
        q.kind = n % 4 == 1 ? 2 : 1;
        q.clip = q.kind == 2 ? QStringLiteral("CLIP.MP3") : QString();
        q.question = QStringLiteral("Question %1: which of these did Delvo do first, and where?").arg(n);
        q.answers = {QStringLiteral("He sailed to the islands"), QStringLiteral("He wrote a song about quorvels"),
                     n % 4 >= 2 ? QStringLiteral("He built a house") : QString(),
                     n % 4 == 3 ? QStringLiteral("He forgot") : QString()};
        q.rightAnswer = static_cast<int16_t>(1 + n % 2);
        q.extraAnswer = 2;
        q.extra = n % 4 != 2 ? QStringLiteral("Quite right: it was his first summer away.") : QString();
        bank.questions.append(q);
    }
    return bank;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("DATA.ASC"));
    saveCodedBank(fullBank(dir.path()), path);
    std::printf("bank: 32767 questions, %lld bytes\n", static_cast<long long>(QFile(path).size()));

    const double check = best(5, [&] {
        QProcess tool;
        tool.start(QStringLiteral(QUORVEL_BANK), {QStringLiteral("check"), path});
        tool.waitForFinished(-1);
    });
    const double checkInProcess = best(5, [&] { allFindings(readBankFile(path), dir.path()); });
    const double checkWithFit = best(5, [&] {
        const BankFileReport report = readBankFile(path);
        allFindings(report, dir.path());
        const TextFitCheck fit(*TextFitCheck::screens({}));
        for (qsizetype i = 0; i < report.questions.size(); ++i)
            fit.check(report.questions[i], report.numbers[i]);
    });

    EditorWindow window;
    window.show();
    // Until the list shows and the author can work; the findings are checked in slices after.
    const double open = best(5, [&] { window.openPath(path); });
    const auto checkAll = [&] {
        window.findings->refresh();
        while (window.findings->checking())
            QCoreApplication::processEvents();
    };
    double longestSlice = 0;
    const double findings = best(1, [&] {
        QElapsedTimer between;
        between.start();
        QObject::connect(window.findings, &FindingsPanel::progress, [&] {
            longestSlice = std::max(longestSlice, between.nsecsElapsed() / 1e9);
            between.restart();
        });
        checkAll();
    });
    const double scroll = best(3, [&] {
        // Down the whole list a page at a time, as a held Page Down does.
        for (int row = 0; row < window.document().count(); row += 40) {
            window.list->scrollTo(window.document().index(row));
            window.list->viewport()->repaint();
        }
    });
    const double edit = best(5, [&] {
        window.document().move(0, 32766);
        QCoreApplication::processEvents();
    });
    const double save = best(3, [&] { window.document().save(path); });

    std::printf("quorvel-bank check (process)     %8.3f s\n", check);
    std::printf("check in process, no text fit    %8.3f s\n", checkInProcess);
    std::printf("check in process, with text fit  %8.3f s   %.2f x without (target <= 2)\n", checkWithFit,
                checkWithFit / checkInProcess);
    std::printf("editor: open and index           %8.3f s   %.2f x check (target <= 3)\n", open, open / check);
    std::printf("editor: every finding, in slices %8.3f s   (target < 2 s); longest slice %.3f s\n", findings,
                longestSlice);
    std::printf("editor: scroll the whole list    %8.3f s   (%d pages)\n", scroll, 32767 / 40);
    std::printf("editor: move a question          %8.3f s\n", edit);
    std::printf("editor: save with read-back      %8.3f s   %.2f x check\n", save, save / check);
    return 0;
}
