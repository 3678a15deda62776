#include "SoundTestTools.h"

#include "Clock.h"

#include <QByteArray>
#include <QDataStream>
#include <QFile>
#include <QThread>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

void writeWav(const QString& path, const QByteArray& samples, int rate, int channels)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + samples.size());
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(channels) << quint32(rate) << quint32(rate * channels * 2)
        << quint16(channels * 2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(samples.size());
    out.writeRawData(samples.constData(), int(samples.size()));
}

} // namespace

void writeToneWav(const QString& path, double seconds, double hertz)
{
    constexpr int rate = 22050;
    const int frames = int(seconds * rate);
    QByteArray samples(frames * 2, Qt::Uninitialized);
    auto* s = reinterpret_cast<int16_t*>(samples.data());
    for (int i = 0; i < frames; ++i)
        s[i] = int16_t(16000 * std::sin(2 * std::numbers::pi * hertz * i / rate));
    writeWav(path, samples, rate, 1);
}

namespace {

constexpr int RecordRate = 22050;
constexpr int Block = RecordRate / 100;  // 10 ms
constexpr int Loud = 1000;

bool loudBlock(const QByteArray& samples, qsizetype block)
{
    const auto* s = reinterpret_cast<const int16_t*>(samples.constData()) + block * Block;
    for (int i = 0; i < Block; ++i)
        if (std::abs(int(s[i])) > Loud)
            return true;
    return false;
}

} // namespace

SinkRecorder::~SinkRecorder()
{
    if (parec_.state() != QProcess::NotRunning) {
        parec_.kill();
        parec_.waitForFinished(2000);
    }
}

bool SinkRecorder::start()
{
    const QString sink = qEnvironmentVariable("QUORVEL_TEST_SINK");
    parec_.start(QStringLiteral("parec"), {QStringLiteral("-d"), sink + QStringLiteral(".monitor"),
                                          QStringLiteral("--latency-msec=5"), QStringLiteral("--rate=22050"),
                                          QStringLiteral("--channels=1"), QStringLiteral("--format=s16le"),
                                          QStringLiteral("--raw")});
    if (!parec_.waitForStarted(3000))
        return false;
    QThread::msleep(2000);
    parec_.readAllStandardOutput();
    return parec_.state() == QProcess::Running;
}

void SinkRecorder::take() { samples_ += parec_.readAllStandardOutput(); }

double SinkRecorder::waitForSound(double timeoutSeconds)
{
    const double limit = platform::Clock::now() + timeoutSeconds;
    while (platform::Clock::now() < limit) {
        parec_.waitForReadyRead(2);
        take();
        const double arrived = platform::Clock::now();
        for (; (checked_ + 1) * Block * 2 <= samples_.size(); ++checked_)
            if (loudBlock(samples_, checked_))
                return arrived;
    }
    return -1;
}

void SinkRecorder::discard(double seconds)
{
    const double until = platform::Clock::now() + seconds;
    while (platform::Clock::now() < until) {
        parec_.waitForReadyRead(10);
        take();
    }
    samples_.clear();
    checked_ = 0;
}

std::vector<LoudRun> SinkRecorder::stop()
{
    // What the server still holds reaches us first.
    const double until = platform::Clock::now() + 0.3;
    while (platform::Clock::now() < until) {
        parec_.waitForReadyRead(10);
        take();
    }
    parec_.kill();
    parec_.waitForFinished(3000);
    std::vector<LoudRun> runs;
    bool inRun = false;
    const qsizetype blocks = samples_.size() / (Block * 2);
    for (qsizetype b = 0; b < blocks; ++b) {
        const bool loud = loudBlock(samples_, b);
        const double t = b * 0.01;
        if (loud && !inRun)
            runs.push_back({t, t});
        if (!loud && inRun)
            runs.back().end = t;
        inRun = loud;
    }
    if (inRun)
        runs.back().end = blocks * 0.01;
    return runs;
}
