#include "tests/platform/SoundTestTools.h"

#include "platform/Clock.h"

#include <QDataStream>
#include <QFile>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>

namespace {

constexpr int Rate = 22050;         // of the tones and of the recording
constexpr int Block = Rate / 100;   // 10 ms
constexpr int Loud = 1000;

bool loudBlock(const QByteArray& samples, qsizetype block)
{
    const auto* s = reinterpret_cast<const int16_t*>(samples.constData()) + block * Block;
    return std::any_of(s, s + Block, [](int16_t v) { return std::abs(int(v)) > Loud; });
}

} // namespace

void writeToneWav(const QString& path, double seconds, double hertz)
{
    const int frames = int(seconds * Rate);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        std::abort();
    QDataStream out(&f);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + frames * 2);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(Rate) << quint32(Rate * 2) << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << quint32(frames * 2);
    for (int i = 0; i < frames; ++i)
        out << qint16(16000 * std::sin(2 * std::numbers::pi * hertz * i / Rate));
}

SinkRecorder::~SinkRecorder()
{
    if (parec_.state() != QProcess::NotRunning) {
        parec_.kill();
        parec_.waitForFinished(2000);
    }
}

bool SinkRecorder::start()
{
    parec_.start(QStringLiteral("parec"), QProcess::splitCommand(QStringLiteral(
        "-d %1.monitor --latency-msec=5 --rate=22050 --channels=1 --format=s16le --raw")
        .arg(qEnvironmentVariable("QUORVEL_TEST_SINK"))));
    if (!parec_.waitForStarted(3000))
        return false;
    QThread::msleep(2000);
    parec_.readAllStandardOutput();
    return parec_.state() == QProcess::Running;
}

void SinkRecorder::take(double seconds)
{
    const double until = platform::Clock::now() + seconds;
    do {
        parec_.waitForReadyRead(2);
        samples_ += parec_.readAllStandardOutput();
    } while (platform::Clock::now() < until);
}

double SinkRecorder::waitForSound(double timeoutSeconds)
{
    const double limit = platform::Clock::now() + timeoutSeconds;
    while (platform::Clock::now() < limit) {
        take(0);
        const double arrived = platform::Clock::now();
        for (; (checked_ + 1) * Block * 2 <= samples_.size(); ++checked_)
            if (loudBlock(samples_, checked_))
                return arrived;
    }
    return -1;
}

void SinkRecorder::discard(double seconds)
{
    take(seconds);
    samples_.clear();
    checked_ = 0;
}

std::vector<LoudRun> SinkRecorder::stop()
{
    take(0.3);  // what the server still holds reaches us first
    parec_.kill();
    parec_.waitForFinished(3000);
    std::vector<LoudRun> runs;
    const qsizetype blocks = samples_.size() / (Block * 2);
    qsizetype runStart = -1;
    for (qsizetype b = 0; b <= blocks; ++b) {
        const bool loud = b < blocks && loudBlock(samples_, b);
        if (loud && runStart < 0)
            runStart = b;
        if (!loud && runStart >= 0)
            runs.push_back({runStart * 0.01, b * 0.01}), runStart = -1;
    }
    return runs;
}
