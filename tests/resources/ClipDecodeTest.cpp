// Every clip in the data folder is a real MP3 that Qt's own decoder (the one the game plays
// through) reads to the end, lasting 8 to 15 seconds and not silent.
#include "DataFolder.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

struct Decoded {
    bool finished = false;
    QString error;
    qint64 microseconds = 0;
    float peak = 0;
};

Decoded decodeClip(const QString& path)
{
    Decoded result;
    QAudioDecoder decoder;
    QEventLoop loop;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, [&] {
        const QAudioBuffer buffer = decoder.read();
        result.microseconds += buffer.duration();
        const QAudioFormat format = buffer.format();
        const int bytesPerSample = format.bytesPerSample();
        const char* data = buffer.constData<char>();
        for (qsizetype i = 0; bytesPerSample > 0 && i + bytesPerSample <= buffer.byteCount(); i += bytesPerSample)
            result.peak = std::max(result.peak, std::abs(format.normalizedSampleValue(data + i)));
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, [&] {
        result.finished = true;
        loop.quit();
    });
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), [&] {
        result.error = decoder.errorString();
        loop.quit();
    });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    decoder.setSource(QUrl::fromLocalFile(path));
    decoder.start();
    loop.exec();
    return result;
}

class ClipDecode : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // The game plays through Qt's GStreamer backend; decode through the same one.
        if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
            qputenv("QT_MEDIA_BACKEND", "gstreamer");
    }
};

TEST_F(ClipDecode, EveryClipDecodesToEightToFifteenSecondsOfSound)
{
    const QStringList clips = QDir(dataFile(QString())).entryList({QStringLiteral("*.MP3")}, QDir::Files);
    ASSERT_GE(clips.size(), 8);
    for (const QString& clip : clips) {
        // An MP3 stream: an ID3 tag or straight away an MPEG audio frame header.
        QFile file(dataFile(clip));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << clip.toStdString();
        const QByteArray head = file.read(2);
        EXPECT_TRUE(head.startsWith("ID") || (uchar(head[0]) == 0xFF && (uchar(head[1]) & 0xE0) == 0xE0))
            << clip.toStdString() << " is no MP3 stream";
        const Decoded d = decodeClip(dataFile(clip));
        EXPECT_TRUE(d.error.isEmpty()) << clip.toStdString() << ": " << d.error.toStdString();
        EXPECT_TRUE(d.finished) << clip.toStdString() << " did not decode to its end";
        EXPECT_GE(d.microseconds, 8'000'000) << clip.toStdString();
        EXPECT_LE(d.microseconds, 15'000'000) << clip.toStdString();
        EXPECT_GT(d.peak, 0.1f) << clip.toStdString() << " is (nearly) silent";
    }
}

} // namespace
