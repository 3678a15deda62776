// The five sound effects in the data folder: 16-bit PCM WAV files of the lengths the game's
// timing is built around (the intro runs beside an 11-second animation; the judging sounds
// play synchronously, so they must be short).
#include "tests/resources/DataFolder.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

TEST(SoundFiles, AreSixteenBitPcmOfTheirLengths)
{
    const struct {
        const char* name;
        double shortest, longest;  // seconds
    } rules[] = {{"INTRO.WAV", 4.0, 6.0}, {"NULL.WAV", 0.05, 0.9}, {"RIGHT.WAV", 0.2, 0.99},
                 {"WRONG.WAV", 0.2, 0.99}, {"CLAPPING.WAV", 2.5, 3.5}};
    for (const auto& rule : rules) {
        SCOPED_TRACE(rule.name);
        QFile file(dataFile(QString::fromLatin1(rule.name)));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray b = file.readAll();
        ASSERT_TRUE(b.startsWith("RIFF") && b.mid(8, 4) == "WAVE");
        // Walk the RIFF chunks for "fmt " and "data".
        int format = 0, channels = 0, rate = 0, bits = 0;
        qint64 dataBytes = 0;
        for (qsizetype at = 12; at + 8 <= b.size();) {
            const qint64 size = qFromLittleEndian<quint32>(b.constData() + at + 4);
            const char* body = b.constData() + at + 8;
            if (b.mid(at, 4) == "fmt " && size >= 16) {
                format = qFromLittleEndian<quint16>(body);
                channels = qFromLittleEndian<quint16>(body + 2);
                rate = int(qFromLittleEndian<quint32>(body + 4));
                bits = qFromLittleEndian<quint16>(body + 14);
            } else if (b.mid(at, 4) == "data") {
                dataBytes = std::min<qint64>(size, b.size() - at - 8);
            }
            at += 8 + size + (size & 1);
        }
        EXPECT_EQ(format, 1);
        EXPECT_EQ(bits, 16);
        ASSERT_TRUE(dataBytes > 0 && channels >= 1 && rate > 0);
        const double seconds = double(dataBytes) / (rate * channels * 2);
        EXPECT_GE(seconds, rule.shortest);
        EXPECT_LE(seconds, rule.longest);
    }
}
