// The question reader: the index pass, every record shape of the fetch, its errors, and which
// clip names the game plays.
#include "questions/ClipName.h"
#include "tests/questions/PlainBank.h"
#include "questions/ReadQuestion.h"

#include <gtest/gtest.h>

namespace {

struct Question {
    QString text;
    QStringList answers;
    int16_t kind = -1, right = -1, extraAnswer = -1;
    QString extra, clip;
};

Question fetch(int16_t number)
{
    Question q;
    int16_t mode = 2;
    ReadQuestion(mode, number, q.text, q.answers, q.kind, q.right, q.extraAnswer, q.extra, q.clip);
    return q;
}

class Reader : public testing::Test {
protected:
    void SetUp() override { resetGame(); }
    TestFolder folder;
};

} // namespace

TEST_F(Reader, IndexCountsSeparatorsAndNotesWhereEachRecordStarts)
{
    makeBank(folder, {"h1", "h2",
                      "1", "0", "1", "", "Q1", "a", "b", "'''1",
                      "1", "0", "2", "", "Q2", "a", "b", "c", "d", "extra", "'''2",
                      "1", "0", "1", "", "Q3", "a", "b"});
    IndexQuestionBank();
    EXPECT_EQ(game().QuestionCount, 2);  // the last record has no separator and is never asked
    EXPECT_EQ(game().QuestionStart, (std::vector<int32_t>{0, 2, 10}));
    EXPECT_EQ(fetch(2).text, "Q2");
    EXPECT_EQ(fetch(1).text, "Q1");
}

TEST_F(Reader, FetchReturnsEveryRecordShape)
{
    makeBank(folder, {"h1", "h2",
                      "1", "0", "2", "", "Two answers", "a", "b", "''' two",
                      "1", "0", "4", "", "Blank third", "a", "b", "", "d", "''' four",
                      "1", "1", "1", "", "Two and extra", "a", "b", "", "", "Well done", "''' extra",
                      "1", "3", "3", "", "Three and extra", "  a  ", "b", "c", "", "Remark", "''' three",
                      // a separator right after answer 4 leaves the extra text empty
                      "1", "0", "1", "", "Four", "a", "b", "c", "d", "''' four"});
    IndexQuestionBank();
    ASSERT_EQ(game().QuestionCount, 5);
    const std::pair<QStringList, QString> expected[] = {
        {{"", "a", "b"}, ""}, {{"", "a", "b", "", "d"}, ""}, {{"", "a", "b"}, "Well done"},
        {{"", "a", "b", "c"}, "Remark"}, {{"", "a", "b", "c", "d"}, ""}};
    for (int16_t n = 1; n <= 5; ++n) {
        const Question q = fetch(n);
        EXPECT_EQ(q.answers, expected[n - 1].first) << n;
        EXPECT_EQ(q.extra, expected[n - 1].second) << n;
    }
    EXPECT_EQ(fetch(1).right, 2);
    EXPECT_EQ(fetch(3).extraAnswer, 1);
}

TEST_F(Reader, ClipNamesEndAtTheirExtensionAndNumberFieldsReadFourCharacters)
{
    makeBank(folder, {"h1", "h2",
                      "2", "0", "1", "  Delvo Song.mp3 the remix  ", "Q", "a", "b", "''' end",
                      "2", "0", "1", "  NOEXTENSION here ", "  Question  ", "a", "b", "''' end",
                      "2.5", "3.5", "12abc", "", "Q", "a", "b", "''' end",
                      "", "12345", "&H1F", "", "Q", "a", "b", "''' end"});
    IndexQuestionBank();
    EXPECT_EQ(fetch(1).clip, "Delvo Song.mp3");
    EXPECT_EQ(fetch(2).clip, "NOEXTENSION here");
    EXPECT_EQ(fetch(2).text, "Question");
    EXPECT_EQ(fetch(3).clip, "");
    const Question q3 = fetch(3), q4 = fetch(4);
    EXPECT_EQ((std::array{q3.kind, q3.extraAnswer, q3.right}), (std::array<int16_t, 3>{2, 4, 12}));
    EXPECT_EQ((std::array{q4.kind, q4.extraAnswer, q4.right}), (std::array<int16_t, 3>{0, 1234, 31}));
}

TEST(ClipName, OnlyABareFileNameInsideTheDataFolderIsPlayed)
{
    for (const char* name : {"CLIP.MP3", "Delvo Song.mp3", "clip.1.MP3", "NOEXTENSION here", ".MP3"})
        EXPECT_TRUE(isPlayableClipName(QString::fromLatin1(name))) << name;
    for (const char* name : {"../CLIP.MP3", "a/b.MP3", "a\\b.MP3", "..x.MP3", "CLIP..03.MP3", "/CLIP.MP3", "x.."})
        EXPECT_FALSE(isPlayableClipName(QString::fromLatin1(name))) << name;
}

TEST_F(Reader, SeparatorsWithBlanksInFrontEndRecordsButAreNotCounted)
{
    // The conversion trims every line, so this bank is coded by hand.
    QByteArrayList lines{"h1", encodeText("h2")};
    for (const char* field : {"1", "0", "1", "", "Q1"})
        lines.append(encodeText(field));
    // Answers 1 and 2 are taken as they are, apostrophes and all.
    lines += {"  '\'\'a", "  '\'\'b", encodeText("c"), "   '\'\' indented", encodeText("stray"), "'\'\'"};
    folder.write("DATA.ASC", crlfLines(lines));
    game().BankFile = folder.file("DATA.ASC");
    IndexQuestionBank();
    EXPECT_EQ(game().QuestionCount, 1);
    const Question q = fetch(1);
    EXPECT_EQ(q.answers, (QStringList{"", "'\'\'a", "'\'\'b", "c"}));
    EXPECT_EQ(q.extra, "");
}

TEST_F(Reader, AFetchAfterTheBankChangedCountsLinesInsteadOfSeeking)
{
    makeBank(folder, {"h1", "h2", "1", "0", "1", "", "Old one", "a", "b", "''' end", "1", "0", "1", "", "Old two", "a", "b", "''' end"});
    IndexQuestionBank();
    EXPECT_EQ(fetch(2).text, "Old two");
    // Same lines, longer texts: stale byte offsets would land inside question 1.
    makeBank(folder, {"h1", "h2", "1", "0", "1", "", "A much longer first question", "aaaa", "bbbb", "'''",
                      "1", "0", "1", "", "New two", "a", "b", "''' end"});
    EXPECT_EQ(fetch(2).text, "New two");
    // A bank cut short since the index pass fails by name and line.
    folder.write("DATA.ASC", "h1\r\nh2\r\n");
    EXPECT_TRUE(errorOf([] { fetch(2); }).startsWith(game().BankFile + ":3: question 2 is cut short"));
}

TEST_F(Reader, ErrorsNameTheBankAndTheLine)
{
    game().BankFile = folder.file("DATA.ASC");
    EXPECT_TRUE(errorOf(IndexQuestionBank).contains(game().BankFile));

    folder.write("DATA.ASC", "h1\r\nh2\r\n");
    EXPECT_EQ(errorOf(IndexQuestionBank), game().BankFile + ":3: the question bank holds no questions: nothing follows its two header lines");
    folder.write("DATA.ASC", "h1\r\nh2\r\n1\r\n2\r\n");
    EXPECT_TRUE(errorOf(IndexQuestionBank).contains("holds no questions"));

    makeBank(folder, {"h1", "h2", "1E10", "0", "1", "", "Q", "a", "b", "''' end", "1", "0", "1", "", "Q", "a", "b", "''' end"});
    IndexQuestionBank();
    EXPECT_TRUE(errorOf([] { fetch(1); }).startsWith(game().BankFile + ":3: question 1: Overflow"));
    EXPECT_TRUE(errorOf([] { fetch(0); }).contains("there is no question 0"));
    EXPECT_TRUE(errorOf([] { fetch(3); }).contains("there is no question 3"));
}

TEST_F(Reader, RefusesMoreThan32767Questions)
{
    QByteArray bank = "h1\r\nh2\r\n";
    for (int i = 0; i < 32767; ++i)
        bank += "'''\r\n";
    folder.write("DATA.ASC", bank);
    game().BankFile = folder.file("DATA.ASC");
    IndexQuestionBank();
    EXPECT_EQ(game().QuestionCount, 32767);
    folder.write("DATA.ASC", bank + "'''\r\n");
    EXPECT_EQ(errorOf(IndexQuestionBank), game().BankFile + ":32770: the question bank holds more than 32767 questions, more than the game can count");
}
