// Every clip in the data folder is a real MP3 that Qt's own decoder (the one the game plays
// through) reads to the end, lasting 8 to 15 seconds and not silent.
#include "platform/MediaBackend.h"
#include "tests/resources/DataFolder.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QEventLoop>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

TEST(ClipDecode, EveryClipDecodesToEightToFifteenSecondsOfSound)
{
    // Decode through the back end the game plays through.
    platform::chooseMediaBackend();
    const QStringList clips = QDir(dataFile(QString())).entryList({QStringLiteral("*.MP3")}, QDir::Files);
    ASSERT_GE(clips.size(), 8);
    for (const QString& clip : clips) {
        SCOPED_TRACE(clip.toStdString());
        bool finished = false;
        QString error;
        qint64 microseconds = 0;
        float peak = 0;
        QAudioDecoder decoder;
        QEventLoop loop;
        QObject::connect(&decoder, &QAudioDecoder::bufferReady, [&] {
            const QAudioBuffer buffer = decoder.read();
            microseconds += buffer.duration();
            const int bytes = buffer.format().bytesPerSample();
            for (qsizetype i = 0; bytes > 0 && i + bytes <= buffer.byteCount(); i += bytes)
                peak = std::max(peak, std::abs(buffer.format().normalizedSampleValue(buffer.constData<char>() + i)));
        });
        QObject::connect(&decoder, &QAudioDecoder::finished, [&] { finished = true; loop.quit(); });
        QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), [&] {
            error = decoder.errorString();
            loop.quit();
        });
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        decoder.setSource(QUrl::fromLocalFile(dataFile(clip)));
        decoder.start();
        loop.exec();
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        EXPECT_TRUE(finished) << "did not decode to its end";
        EXPECT_GE(microseconds, 8'000'000);
        EXPECT_LE(microseconds, 15'000'000);
        EXPECT_GT(peak, 0.1f) << "(nearly) silent";
    }
}
