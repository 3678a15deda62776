// The question reader: the index pass, every record shape of the fetch, and its errors.
#include "GameState.h"
#include "PlainBank.h"
#include "ReadQuestion.h"
#include "RunTimeError.h"
#include "DecodeLine.h"

#include <QFile>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

struct Question {
    QString text;
    QStringList answers;
    int16_t kind = -1, right = -1, extraAnswer = -1;
    QString extra, clip;
};

void indexBank()
{
    int16_t mode = 1, number = 0, kind = 0, right = 0, extraAnswer = 0;
    QString text, extra, clip;
    QStringList answers;
    ReadQuestion(mode, number, text, answers, kind, right, extraAnswer, extra, clip);
}

Question fetch(int16_t number)
{
    Question q;
    int16_t mode = 2;
    ReadQuestion(mode, number, q.text, q.answers, q.kind, q.right, q.extraAnswer, q.extra, q.clip);
    return q;
}

// The message of the error that `action` raises, or "" when it raises none.
template <typename Action>
QString errorOf(Action action)
{
    try {
        action();
    } catch (const RunTimeError& e) {
        return e.message();
    }
    return QString();
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
    // Indexing keeps out of the output arguments.
    int16_t mode = 1, number = 7, kind = 9, right = 9, extraAnswer = 9;
    QString text = "t", extra = "e", clip = "c";
    QStringList answers{"x"};
    ReadQuestion(mode, number, text, answers, kind, right, extraAnswer, extra, clip);
    EXPECT_EQ(game().QuestionCount, 2);  // the last record has no separator and is never asked
    EXPECT_EQ(game().QuestionStart, (std::vector<int32_t>{0, 2, 10}));
    EXPECT_EQ(text, "t");
    EXPECT_EQ(answers, QStringList{"x"});
    EXPECT_EQ(kind, 9);
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
                      "1", "0", "1", "", "Four", "a", "b", "c", "d", "''' four"});
    indexBank();
    ASSERT_EQ(game().QuestionCount, 5);

    Question q = fetch(1);
    EXPECT_EQ(q.answers, (QStringList{"", "a", "b"}));
    EXPECT_EQ(q.extra, "");
    EXPECT_EQ(q.right, 2);

    q = fetch(2);
    EXPECT_EQ(q.answers, (QStringList{"", "a", "b", "", "d"}));

    q = fetch(3);
    EXPECT_EQ(q.answers, (QStringList{"", "a", "b"}));
    EXPECT_EQ(q.extra, "Well done");
    EXPECT_EQ(q.extraAnswer, 1);

    q = fetch(4);
    EXPECT_EQ(q.answers, (QStringList{"", "a", "b", "c"}));
    EXPECT_EQ(q.extra, "Remark");

    // A separator right after answer 4 leaves the extra text empty.
    q = fetch(5);
    EXPECT_EQ(q.answers, (QStringList{"", "a", "b", "c", "d"}));
    EXPECT_EQ(q.extra, "");
}

TEST_F(Reader, ClipNamesEndAtTheirExtension)
{
    makeBank(folder, {"h1", "h2",
                      "2", "0", "1", "  Delvo Song.mp3 the remix  ", "Q", "a", "b", "''' end",
                      "2", "0", "1", "  NOEXTENSION here ", "Q", "a", "b", "''' end",
                      "1", "0", "1", "", "  Question  ", "a", "b", "''' end"});
    indexBank();
    EXPECT_EQ(fetch(1).clip, "Delvo Song.mp3");
    EXPECT_EQ(fetch(1).kind, 2);
    EXPECT_EQ(fetch(2).clip, "NOEXTENSION here");
    EXPECT_EQ(fetch(3).clip, "");
    EXPECT_EQ(fetch(3).text, "Question");
}

TEST_F(Reader, NumberFieldsReadTheirFirstFourCharacters)
{
    makeBank(folder, {"h1", "h2",
                      "2.5", "3.5", "12abc", "", "Q", "a", "b", "''' end",
                      "", "12345", "&H1F", "", "Q", "a", "b", "''' end"});
    indexBank();
    const Question q1 = fetch(1);
    EXPECT_EQ(q1.kind, 2);
    EXPECT_EQ(q1.extraAnswer, 4);
    EXPECT_EQ(q1.right, 12);
    const Question q2 = fetch(2);
    EXPECT_EQ(q2.kind, 0);
    EXPECT_EQ(q2.extraAnswer, 1234);
    EXPECT_EQ(q2.right, 31);
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
    indexBank();
    EXPECT_EQ(game().QuestionCount, 1);
    const Question q = fetch(1);
    EXPECT_EQ(q.answers, (QStringList{"", "'\'\'a", "'\'\'b", "c"}));
    EXPECT_EQ(q.extra, "");
}

TEST_F(Reader, AFetchAfterTheBankChangedCountsLinesInsteadOfSeeking)
{
    makeBank(folder, {"h1", "h2", "1", "0", "1", "", "Old one", "a", "b", "''' end", "1", "0", "1", "", "Old two", "a", "b", "''' end"});
    indexBank();
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
    EXPECT_TRUE(errorOf(indexBank).contains(game().BankFile));

    folder.write("DATA.ASC", "h1\r\nh2\r\n");
    EXPECT_EQ(errorOf(indexBank), game().BankFile + ":3: the question bank holds no questions: nothing follows its two header lines");
    folder.write("DATA.ASC", "h1\r\nh2\r\n1\r\n2\r\n");
    EXPECT_TRUE(errorOf(indexBank).contains("holds no questions"));

    makeBank(folder, {"h1", "h2", "1E10", "0", "1", "", "Q", "a", "b", "''' end", "1", "0", "1", "", "Q", "a", "b", "''' end"});
    indexBank();
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
    indexBank();
    EXPECT_EQ(game().QuestionCount, 32767);
    folder.write("DATA.ASC", bank + "'''\r\n");
    EXPECT_EQ(errorOf(indexBank), game().BankFile + ":32770: the question bank holds more than 32767 questions, more than the game can count");
}

TEST_F(Reader, DamagedBanksGiveErrorsNeverCrashes)
{
    makeBank(folder, {"h1", "h2",
                      "2", "1", "2", "clip.mp3", "Question one", "a", "b", "c", "d", "Extra", "''' 1",
                      "1", "0", "1", "", "Question two", "a", "b", "''' 2",
                      "1", "0", "1", "", "Question three", "a", "b", "c", "''' 3"});
    const QByteArray good = folder.read("DATA.ASC");
    QRandomGenerator random(2024);
    for (int round = 0; round < 300; ++round) {
        QByteArray bad = good;
        for (int change = 0, changes = 1 + random.bounded(4); change < changes; ++change) {
            const int at = random.bounded(bad.size() + 1);
            switch (random.bounded(3)) {
            case 0: bad.truncate(at); break;
            case 1: bad.insert(at, "\n'''\r"[random.bounded(5)]); break;
            default: bad.remove(at, random.bounded(20)); break;
            }
        }
        folder.write("DATA.ASC", bad);
        errorOf([] {
            indexBank();
            for (int16_t n = 1; n <= game().QuestionCount; ++n)
                fetch(n);
        });
    }
    SUCCEED();
}
