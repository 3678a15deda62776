// Times the question reader on the largest bank the game can count (32,767 questions, about
// 300,000 lines) and prints the figures beside `wc -l` on the same file, with the ratios the
// reader must keep: index pass <= 3 x wc -l, last fetch <= 2 x first fetch, decoding >= 300 MB/s.
// `quorvel-bank check` on the same file, with every text measured at two screen sizes, stands
// beside them.
#include "questions/BankConversion.h"
#include "questions/BankLines.h"
#include "questions/DecodeLine.h"
#include "core/GameState.h"
#include "questions/ReadQuestion.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Timing {
    double best = 0;    // seconds
    double median = 0;
};

template <typename Action>
Timing timeIt(int runs, Action action)
{
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        action();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds.front(), seconds[seconds.size() / 2]};
}

// Every record shape of the game, in turn: two to four answers, blank slots, extra texts, clips.
QByteArray plainBank(int questions)
{
    QByteArray bank = "The Quorvel Challenge question bank\r\nAll about Delvo\r\n";
    for (int n = 1; n <= questions; ++n) {
        const QByteArray number = QByteArray::number(n);
        const int shape = n % 4;
        bank += (shape == 1 ? "2\r\n" : "1\r\n");
        bank += "2\r\n" + QByteArray::number(1 + n % 2) + "\r\n";
        bank += (shape == 1 ? "CLIP" + number + ".MP3 the chorus\r\n" : "\r\n");
        bank += "Question " + number + ": which of these did Delvo do first, and where?\r\n";
        bank += "He sailed to the islands\r\nHe wrote a song about quorvels\r\n";
        if (shape >= 2)
            bank += "He built a house\r\n";
        if (shape == 3)
            bank += "He forgot\r\n";
        if (shape != 2)
            bank += "Quite right: it was his first summer away.\r\n";
        bank += "''' end of question " + number + "\r\n";
    }
    return bank;
}

QString ms(double seconds) { return QString::number(seconds * 1000, 'f', 3) + " ms"; }

void row(const char* what, const QString& figure, const QString& note = QString())
{
    std::printf("  %-42s %14s   %s\n", what, qPrintable(figure), qPrintable(note));
}

QString verdict(bool met) { return met ? QStringLiteral("met") : QStringLiteral("MISSED"); }

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    const QString plainPath = folder.filePath("DATANON.ASC");
    const QString bankPath = folder.filePath("DATA.ASC");
    {
        QFile plain(plainPath);
        if (!plain.open(QIODevice::WriteOnly) || plain.write(plainBank(32767)) < 0)
            return 2;
    }
    convertPlainBank(plainPath, bankPath);
    game().BankFile = bankPath;
    const qint64 size = QFileInfo(bankPath).size();

    qint64 lines = 0;
    std::vector<QByteArray> codedLines;
    {
        BankLines reader(bankPath);
        QByteArrayView line;
        while (reader.next(line))
            codedLines.push_back(line.toByteArray());
        lines = reader.lineNumber();
    }

    // wc -l, best of many runs, including the start of its process as any tool call would.
    const Timing wc = timeIt(30, [&] {
        QProcess process;
        process.start("wc", {"-l", bankPath});
        process.waitForFinished();
    });

    const Timing check = timeIt(5, [&] {
        QProcess process;
        process.start(QStringLiteral(QUORVEL_BANK), {"check", bankPath});
        process.waitForFinished(-1);
    });

    int16_t mode = 1, number = 0, kind = 0, right = 0, extraAnswer = 0;
    QString text, extra, clip;
    QStringList answers;
    const Timing index = timeIt(30, [&] {
        mode = 1;
        ReadQuestion(mode, number, text, answers, kind, right, extraAnswer, extra, clip);
    });
    const auto fetch = [&](int16_t wanted) {
        return timeIt(500, [&] {
            mode = 2;
            number = wanted;
            ReadQuestion(mode, number, text, answers, kind, right, extraAnswer, extra, clip);
        });
    };
    const Timing first = fetch(1);
    const Timing last = fetch(32767);

    // A bank touched since the index pass: the fetch counts lines from the start instead.
    QFile touched(bankPath);
    touched.open(QIODevice::ReadWrite);
    touched.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
    touched.close();
    const Timing lastByCounting = timeIt(20, [&] {
        mode = 2;
        number = 32767;
        ReadQuestion(mode, number, text, answers, kind, right, extraAnswer, extra, clip);
    });

    // Decoding through DecodeLine one line at a time, as the reader does; each run gets fresh
    // copies of the coded lines, made outside the timing.
    qint64 decodedBytes = 0;
    for (const QByteArray& line : codedLines)
        decodedBytes += line.size();
    std::vector<double> lineRuns;
    for (int run = 0; run < 10; ++run) {
        std::vector<QByteArray> fresh;
        fresh.reserve(codedLines.size());
        for (const QByteArray& line : codedLines)
            fresh.emplace_back(line.constData(), line.size());
        int16_t decode = 2;
        const auto start = Clock::now();
        for (QByteArray& line : fresh)
            DecodeLine(decode, line);
        lineRuns.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    const Timing decodeLines{*std::min_element(lineRuns.begin(), lineRuns.end()), 0};
    QByteArray whole;
    {
        QFile file(bankPath);
        file.open(QIODevice::ReadOnly);
        whole = file.readAll();
    }
    const Timing decodeWhole = timeIt(20, [&] {
        QByteArray copy = whole;
        decodeText(copy);
    });
    const double lineRate = decodedBytes / decodeLines.best / 1e6;
    const double wholeRate = whole.size() / decodeWhole.best / 1e6;

    std::printf("Question bank: %lld questions, %lld lines, %.1f MB (%s)\n", static_cast<long long>(game().QuestionCount),
                static_cast<long long>(lines), size / 1e6, qPrintable(bankPath));
    std::printf("Best of the runs (median in brackets):\n");
    row("index pass (ReadQuestion mode 1)", ms(index.best), "[" + ms(index.median) + "]");
    row("wc -l on the same file (with process start)", ms(wc.best), "[" + ms(wc.median) + "]");
    row("quorvel-bank check on the same file", ms(check.best), "[" + ms(check.median) + "]");
    row("fetch of question 1", ms(first.best), "[" + ms(first.median) + "]");
    row("fetch of question 32,767", ms(last.best), "[" + ms(last.median) + "]");
    row("fetch of question 32,767, bank changed", ms(lastByCounting.best), "[counts lines from the start]");
    row("decoding, line by line", QString::number(lineRate, 'f', 0) + " MB/s");
    row("decoding, the whole file at once", QString::number(wholeRate, 'f', 0) + " MB/s", "[with a copy of the file]");
    std::printf("Targets:\n");
    const double indexRatio = index.best / wc.best;
    const double fetchRatio = last.best / first.best;
    row("index pass / wc -l", QString::number(indexRatio, 'f', 2) + " x", "target <= 3 x: " + verdict(indexRatio <= 3));
    row("fetch 32,767 / fetch 1", QString::number(fetchRatio, 'f', 2) + " x", "target <= 2 x: " + verdict(fetchRatio <= 2));
    row("decoding, line by line", QString::number(lineRate, 'f', 0) + " MB/s",
        "target >= 300 MB/s: " + verdict(lineRate >= 300));
    return 0;
}
