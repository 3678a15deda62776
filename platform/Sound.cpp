#include "platform/Sound.h"

#include "platform/Clock.h"
#include "platform/MediaBackend.h"
#include "platform/ScreenReader.h"

#include <QApplication>
#include <QCoreApplication>
#include <QAudioSink>
#include <QFile>
#include <QMediaDevices>
#include <QStandardPaths>
#include <QTimer>
#include <QWaveDecoder>
#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <numbers>

namespace platform {

namespace {

std::optional<uint32_t> outputCountOverride;

// A sound ready for the output: its format and all of its samples.
struct Pcm {
    QAudioFormat format;
    QByteArray samples;
};

std::optional<Pcm> readWave(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;  // missing, unreadable, or a folder
    QWaveDecoder decoder(&f);
    // The decoder reads the whole header during open() when the file holds it.
    if (!decoder.open(QIODevice::ReadOnly) || !decoder.audioFormat().isValid())
        return std::nullopt;
    Pcm pcm{decoder.audioFormat(), decoder.readAll()};
    if (pcm.samples.isEmpty())
        return std::nullopt;
    return pcm;
}

// A short soft chime, for a desktop whose sound theme offers none we can read.
Pcm generatedAlert()
{
    constexpr int rate = 22050;
    constexpr int frames = rate * 3 / 10;  // 0.3 s
    constexpr int fade = rate / 100;       // 10 ms ramps keep the ends from clicking
    Pcm pcm;
    pcm.format.setSampleRate(rate);
    pcm.format.setChannelCount(1);
    pcm.format.setSampleFormat(QAudioFormat::Int16);
    pcm.samples.resize(frames * sizeof(int16_t));
    auto* out = reinterpret_cast<int16_t*>(pcm.samples.data());
    for (int i = 0; i < frames; ++i) {
        const double envelope = std::min({1.0, double(i) / fade, double(frames - i) / fade});
        const double tone = std::sin(2 * std::numbers::pi * 880.0 * i / rate);
        out[i] = static_cast<int16_t>(12000 * envelope * tone);
    }
    return pcm;
}

// The desktop's alert sound: the freedesktop sound theme's warning or bell when the theme
// has it as a .WAV file, else our chime.
const Pcm& alertSound()
{
    static const Pcm alert = [] {
        for (const char* name : {"dialog-warning.wav", "bell.wav"}) {
            const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                        QStringLiteral("sounds/freedesktop/stereo/") + QLatin1String(name));
            if (!path.isEmpty())
                if (auto pcm = readWave(path))
                    return *pcm;
        }
        return generatedAlert();
    }();
    return alert;
}

// The one sound output of the program. The samples are handed to the audio server at once,
// so the sound goes on while the program waits without events; a remainder the server did
// not take yet is topped up by a timer (or by the synchronous wait).
class SoundChannel {
public:
    SoundChannel()
    {
        feeder_.setInterval(10);
        QObject::connect(&feeder_, &QTimer::timeout, [this] { feed(); });
    }
    ~SoundChannel()
    {
        stop();
        // Qt's PulseAudio output goes on reporting on a stream it stopped (the server's late
        // "ran dry" notice arrives on the audio thread, even after the sound has ended), and a
        // deleted output then crashes the program. The outputs therefore live as long as the
        // program: one per device and format, reused by every sound, and left to the end of
        // the process here.
        for (auto& [key, output] : outputs_)
            (void)output.release();
    }

    bool play(const Pcm& pcm)
    {
        stop();
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return false;
        sink_ = outputFor(device, pcm.format);
        sink_->setBufferSize(pcm.samples.size());
        io_ = sink_->start();
        if (!io_ || sink_->error() != QAudio::NoError) {
            stop();
            return false;
        }
        samples_ = pcm.samples;
        written_ = 0;
        started_ = Clock::now();
        length_ = pcm.format.durationForBytes(static_cast<qint32>(samples_.size())) / 1e6;
        feed();
        if (written_ < samples_.size())
            feeder_.start();
        return true;
    }

    // Returns when the sound has ended: its length has passed and the server has played every
    // sample. The server's playing position says so at once; its report that the stream ran
    // dry comes one or two of its periods later, or not at all (PipeWire), so it only serves
    // where the position is not known. Half a second more is the limit.
    void waitUntilEnded()
    {
        if (!sink_)
            return;
        const double end = started_ + length_;
        const qint64 lengthUs = qint64(length_ * 1e6);
        for (;;) {
            feed();
            AnswerScreenReader();  // what shows while the sound plays is heard meanwhile
            const double now = Clock::now();
            const bool played = sink_->processedUSecs() >= lengthUs || sink_->state() != QAudio::ActiveState;
            if (now >= end && (played || now >= end + 0.5))
                return;
            Clock::sleep(5);
        }
    }

    void stop()
    {
        feeder_.stop();
        if (sink_) {
            sink_->reset();  // drops what is queued, so the old sound ends now
            sink_->stop();
            sink_ = nullptr;
        }
        io_ = nullptr;
        samples_.clear();
    }

private:
    QAudioSink* outputFor(const QAudioDevice& device, const QAudioFormat& format)
    {
        const auto key = std::make_tuple(device.id(), format.sampleRate(), format.channelCount(),
                                         int(format.sampleFormat()));
        std::unique_ptr<QAudioSink>& output = outputs_[key];
        if (!output)
            output = std::make_unique<QAudioSink>(device, format);
        return output.get();
    }

    void feed()
    {
        while (io_ && written_ < samples_.size()) {
            const qint64 n = io_->write(samples_.constData() + written_, samples_.size() - written_);
            if (n <= 0)
                return;
            written_ += n;
        }
        feeder_.stop();
    }

    std::map<std::tuple<QByteArray, int, int, int>, std::unique_ptr<QAudioSink>> outputs_;
    QAudioSink* sink_ = nullptr;  // the output of the sound now playing
    QIODevice* io_ = nullptr;
    QByteArray samples_;
    qint64 written_ = 0;
    double started_ = 0;
    double length_ = 0;
    QTimer feeder_;
};

SoundChannel* theChannel = nullptr;

// Made on first use and ended with the application object, while the audio server
// connection that its output uses still exists.
SoundChannel& channel()
{
    if (!theChannel) {
        theChannel = new SoundChannel;
        qAddPostRoutine([] {
            delete theChannel;
            theChannel = nullptr;
        });
    }
    return *theChannel;
}

} // namespace

int32_t sndPlaySound(const QString& file, uint32_t flags)
{
    chooseMediaBackend();
    const std::optional<Pcm> sound = readWave(file);
    const bool played = sound && channel().play(*sound);
    bool heard = played;
    if (!played) {
        channel().stop();  // a failed sound still ends the one before it
        if (!(flags & SND_NODEFAULT)) {
            heard = channel().play(alertSound());
            if (!heard)
                Beep();
        }
    }
    if (heard && !(flags & SND_ASYNC))
        channel().waitUntilEnded();
    return played ? 1 : 0;
}

uint32_t waveOutGetNumDevs()
{
    if (outputCountOverride)
        return *outputCountOverride;
    chooseMediaBackend();
    return static_cast<uint32_t>(QMediaDevices::audioOutputs().size());
}

void setAudioOutputCountOverride(std::optional<uint32_t> count) { outputCountOverride = count; }

} // namespace platform

void Beep() { QApplication::beep(); }
