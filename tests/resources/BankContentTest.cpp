// The bundled bank as the game reads it: a real quiz of 2, 3 and 4 answers, remarks, and music
// questions whose clips are all in the data folder.
#include "tests/resources/DataFolder.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

TEST(BankContent, OffersAFullQuizWhoseMusicQuestionsEachHaveTheirOwnClip)
{
#ifndef QUORVEL_BANK_TOOL
    GTEST_SKIP() << "quorvel-bank is not part of this build";
#else
    // Every question of the coded bank, read by the authoring tool with the game's own reader.
    QProcess tool;
    tool.start(QStringLiteral(QUORVEL_BANK_TOOL), {QStringLiteral("dump"), dataFile("DATA.ASC")});
    ASSERT_TRUE(tool.waitForFinished(30000));
    ASSERT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    std::map<qsizetype, int> byAnswerCount;
    int questions = 0, remarks = 0, twoAnswerRemarks = 0;
    QSet<QString> clips;
    for (const QByteArray& line : tool.readAllStandardOutput().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonObject q = QJsonDocument::fromJson(line).object();
        const qsizetype answers = q["answers"].toArray().size();
        const int number = q["number"].toInt();
        ++questions;
        ++byAnswerCount[answers];
        EXPECT_TRUE(q["rightAnswer"].toInt() >= 1 && q["rightAnswer"].toInt() <= answers) << number;
        if (!q["extra"].toString().isEmpty()) {
            ++remarks;
            twoAnswerRemarks += answers == 2;
            // The remark must belong to an answer the player can click.
            EXPECT_TRUE(q["extraAnswer"].toInt() >= 1 && q["extraAnswer"].toInt() <= answers) << number;
        }
        const QString clip = q["clip"].toString();
        EXPECT_EQ(q["kind"].toInt() == 2, !clip.isEmpty()) << number;
        if (clip.isEmpty())
            continue;
        EXPECT_TRUE(clip.endsWith(QStringLiteral(".MP3"), Qt::CaseInsensitive)) << clip.toStdString();
        EXPECT_TRUE(QFile::exists(dataFile(clip))) << clip.toStdString();
        EXPECT_FALSE(clips.contains(clip)) << clip.toStdString() << " serves two questions";
        clips.insert(clip);
    }
    EXPECT_GE(questions, 40);
    EXPECT_TRUE(byAnswerCount[2] && byAnswerCount[3] && byAnswerCount[4]);
    EXPECT_EQ(byAnswerCount[2] + byAnswerCount[3] + byAnswerCount[4], questions);
    EXPECT_GE(clips.size(), 8);
    EXPECT_GE(remarks, 6);
    EXPECT_GE(twoAnswerRemarks, 1);
    // And no clip is carried along that no question plays.
    const QStringList shipped = QDir(dataFile(QString())).entryList({QStringLiteral("*.MP3")}, QDir::Files);
    EXPECT_EQ(QSet<QString>(shipped.begin(), shipped.end()), clips);
#endif
}

// The plain bank is the authors' text: 8-bit, CR LF lines, characters 32 to 125 only (the codec
// leaves anything else uncoded and it would not read back). It never ships with the game.
TEST(PlainBank, HoldsOnlyCodableCharactersInCrLfLines)
{
    QFile plain(QStringLiteral(QUORVEL_PLAIN_BANK));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QByteArray bytes = plain.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(1).split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        ASSERT_TRUE(lines[n].endsWith('\r')) << "line " << n + 1 << " does not end with CR LF";
        const QByteArray text = lines[n].chopped(1);
        for (const char c : text)
            ASSERT_TRUE(c >= 32 && c <= 125) << "line " << n + 1 << " holds code " << int(uchar(c));
        // A bare "'''" would be coded like text and silently merge two questions.
        EXPECT_FALSE(text.trimmed() == "'''") << "line " << n + 1;
    }
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("DATANON.ASC"))));
    EXPECT_TRUE(QFile::exists(dataFile(QStringLiteral("DATA.ASC"))));
}
