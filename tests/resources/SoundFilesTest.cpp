// The five sound effects in the data folder: 16-bit PCM WAV files of the lengths the game's
// timing is built around (the intro runs beside an 11-second animation; the judging sounds
// play synchronously, so they must be short).
#include "DataFolder.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct WaveInfo {
    int format = 0;   // 1 is PCM
    int channels = 0;
    int rate = 0;
    int bits = 0;
    qint64 dataBytes = -1;
    double seconds() const { return double(dataBytes) / (rate * channels * (bits / 8)); }
};

// Walks the RIFF chunks for "fmt " and "data"; leaves dataBytes at -1 when there is none.
WaveInfo readWave(const QString& path)
{
    QFile file(path);
    WaveInfo info;
    if (!file.open(QIODevice::ReadOnly))
        return info;
    const QByteArray b = file.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return info;
    qsizetype at = 12;
    while (at + 8 <= b.size()) {
        const QByteArray id = b.mid(at, 4);
        const qint64 size = qFromLittleEndian<quint32>(b.constData() + at + 4);
        const char* body = b.constData() + at + 8;
        if (id == "fmt " && size >= 16) {
            info.format = qFromLittleEndian<quint16>(body);
            info.channels = qFromLittleEndian<quint16>(body + 2);
            info.rate = int(qFromLittleEndian<quint32>(body + 4));
            info.bits = qFromLittleEndian<quint16>(body + 14);
        } else if (id == "data") {
            info.dataBytes = std::min<qint64>(size, b.size() - at - 8);
        }
        at += 8 + size + (size & 1);
    }
    return info;
}

struct SoundRule {
    const char* name;
    double shortest; // seconds
    double longest;
};

void PrintTo(const SoundRule& rule, std::ostream* out)
{
    *out << rule.name;
}

class SoundFile : public testing::TestWithParam<SoundRule> {};

TEST_P(SoundFile, IsSixteenBitPcmOfItsLength)
{
    const SoundRule rule = GetParam();
    const WaveInfo wave = readWave(dataFile(QString::fromLatin1(rule.name)));
    ASSERT_GT(wave.dataBytes, 0) << rule.name << " is missing or holds no sound";
    EXPECT_EQ(wave.format, 1);
    EXPECT_EQ(wave.bits, 16);
    EXPECT_GE(wave.channels, 1);
    EXPECT_GE(wave.seconds(), rule.shortest) << rule.name;
    EXPECT_LE(wave.seconds(), rule.longest) << rule.name;
}

INSTANTIATE_TEST_SUITE_P(DataFolder, SoundFile,
                         testing::Values(SoundRule{"INTRO.WAV", 4.0, 6.0},
                                         SoundRule{"NULL.WAV", 0.05, 0.9},
                                         SoundRule{"RIGHT.WAV", 0.2, 0.99},
                                         SoundRule{"WRONG.WAV", 0.2, 0.99},
                                         SoundRule{"CLAPPING.WAV", 2.5, 3.5}),
                         [](const testing::TestParamInfo<SoundRule>& info) {
                             const std::string name = info.param.name;
                             return name.substr(0, name.find('.'));
                         });

} // namespace
