// The bundled bank as the game reads it: a real quiz of 2, 3 and 4 answers, remarks, and music
// questions whose clips are all in the data folder.
#include "DataFolder.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>
#include <map>

namespace {

// Every question of the coded bank in the data folder, read by the authoring tool with the
// game's own reader.
QList<QJsonObject> bundledQuestions()
{
#ifdef QUORVEL_BANK_TOOL
    QProcess tool;
    tool.start(QStringLiteral(QUORVEL_BANK_TOOL), {QStringLiteral("dump"), dataFile("DATA.ASC")});
    EXPECT_TRUE(tool.waitForFinished(30000));
    EXPECT_EQ(tool.exitCode(), 0) << tool.readAllStandardError().toStdString();
    QList<QJsonObject> questions;
    for (const QByteArray& line : tool.readAllStandardOutput().split('\n'))
        if (!line.trimmed().isEmpty())
            questions.append(QJsonDocument::fromJson(line).object());
    return questions;
#else
    return {};
#endif
}

class BankContent : public testing::Test {
protected:
    void SetUp() override
    {
#ifndef QUORVEL_BANK_TOOL
        GTEST_SKIP() << "quorvel-bank is not part of this build";
#endif
        questions = bundledQuestions();
        ASSERT_FALSE(questions.isEmpty());
    }
    QList<QJsonObject> questions;
};

TEST_F(BankContent, OffersAFullQuizOfEveryShape)
{
    std::map<qsizetype, int> byAnswerCount;
    int music = 0;
    int remarks = 0;
    int twoAnswerRemarks = 0;
    for (const QJsonObject& q : questions) {
        const qsizetype answers = q["answers"].toArray().size();
        ++byAnswerCount[answers];
        EXPECT_GE(q["rightAnswer"].toInt(), 1) << q["number"].toInt();
        EXPECT_LE(q["rightAnswer"].toInt(), answers) << q["number"].toInt();
        if (q["kind"].toInt() == 2)
            ++music;
        if (!q["extra"].toString().isEmpty()) {
            ++remarks;
            // The remark must belong to an answer the player can click.
            EXPECT_GE(q["extraAnswer"].toInt(), 1) << q["number"].toInt();
            EXPECT_LE(q["extraAnswer"].toInt(), answers) << q["number"].toInt();
            if (answers == 2)
                ++twoAnswerRemarks;
        }
    }
    EXPECT_GE(questions.size(), 40);
    EXPECT_GE(byAnswerCount[2], 1);
    EXPECT_GE(byAnswerCount[3], 1);
    EXPECT_GE(byAnswerCount[4], 1);
    EXPECT_EQ(byAnswerCount[2] + byAnswerCount[3] + byAnswerCount[4], questions.size());
    EXPECT_GE(music, 8);
    EXPECT_GE(remarks, 6);
    EXPECT_GE(twoAnswerRemarks, 1);
}

TEST_F(BankContent, EveryMusicQuestionHasItsOwnClipInTheDataFolder)
{
    QSet<QString> used;
    for (const QJsonObject& q : questions) {
        const QString clip = q["clip"].toString();
        if (q["kind"].toInt() != 2) {
            EXPECT_TRUE(clip.isEmpty()) << "question " << q["number"].toInt() << " is no music question";
            continue;
        }
        EXPECT_TRUE(clip.endsWith(QStringLiteral(".MP3"), Qt::CaseInsensitive)) << clip.toStdString();
        EXPECT_TRUE(QFile::exists(dataFile(clip))) << clip.toStdString();
        EXPECT_FALSE(used.contains(clip)) << clip.toStdString() << " serves two questions";
        used.insert(clip);
    }
    // And no clip is carried along that no question plays.
    const QStringList clips = QDir(dataFile(QString())).entryList({QStringLiteral("*.MP3")}, QDir::Files);
    EXPECT_EQ(QSet<QString>(clips.begin(), clips.end()), used);
}

} // namespace

// The plain bank is the authors' text: 8-bit, CR LF lines, characters 32 to 125 only (the codec
// leaves anything else uncoded and it would not read back). It never ships with the game.
TEST(PlainBank, HoldsOnlyCodableCharactersInCrLfLines)
{
    QFile plain(QStringLiteral(QUORVEL_PLAIN_BANK));
    ASSERT_TRUE(plain.open(QIODevice::ReadOnly));
    const QByteArray bytes = plain.readAll();
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // what follows the last line end
    int lineNumber = 0;
    for (const QByteArray& line : lines) {
        ++lineNumber;
        ASSERT_TRUE(line.endsWith('\r')) << "line " << lineNumber << " does not end with CR LF";
        for (const char c : line.chopped(1))
            ASSERT_TRUE(c >= 32 && c <= 125) << "line " << lineNumber << " holds code " << int(uchar(c));
        // A bare "'''" would be coded like text and silently merge two questions.
        if (line.startsWith("'''")) {
            EXPECT_GT(line.chopped(1).trimmed().size(), 3) << "line " << lineNumber;
        }
    }
    EXPECT_FALSE(QFile::exists(dataFile(QStringLiteral("DATANON.ASC"))));
    EXPECT_TRUE(QFile::exists(dataFile(QStringLiteral("DATA.ASC"))));
}
