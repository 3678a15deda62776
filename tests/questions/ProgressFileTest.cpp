// The progress file: creation, loading with its reset, saving, and damaged files.
#include "tests/questions/PlainBank.h"
#include "questions/ProgressFile.h"

#include <QFile>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

using Values = std::array<int16_t, 4>;

class Progress : public testing::Test {
protected:
    void SetUp() override
    {
        resetGame();
        game().UserFile = folder.file("USER.ASC");
    }

    static void load() { int16_t mode = 1; ProgressFile(mode); }
    static void save() { int16_t mode = 2; ProgressFile(mode); }
    static Values values() { return {game().SoundOn, game().CurrentQuestion, game().CorrectCount, game().IncorrectCount}; }

    TestFolder folder;
};

} // namespace

TEST_F(Progress, AMissingFileIsCreatedWithDefaultsAndSavedInTheWiderForm)
{
    load();
    EXPECT_EQ(folder.read("USER.ASC"), "PLEASE DO NOT MODIFY THIS FILE!\r\n1   'Sound on/off\r\n"
                                       "1   'Current question\r\n0   '# Correct\r\n0   '# Incorrect\r\n");
    EXPECT_EQ(values(), (Values{1, 1, 0, 0}));
    game().CurrentQuestion = 12;
    save();
    EXPECT_EQ(folder.read("USER.ASC"), "Please do NOT modify this file!\r\n1    'Sound on/off\r\n"
                                       "12   'Current question \r\n0    '# Correct\r\n0    '# Incorrect\r\n");
}

TEST_F(Progress, LoadReadsEachValueFromItsLinesFirstFourCharactersAndBelowOneStartsANewGame)
{
    const std::pair<const char*, Values> cases[] = {
        {"Please do NOT modify this file!\r\n1   'Sound on/off\r\n12  'Current question \r\n-5  '# Correct\r\n"
         "3   '# Incorrect\r\nignored\r\n", {1, 12, -5, 3}},
        {"h\n0\n2.5\n3.5\n&H10\n", {0, 2, 4, 16}},  // no comments, Unix line ends
        {"x\r\n0\r\n   \r\n7\r\n8\r\n", {0, 1, 0, 0}},
        {"x\r\n1\r\nabc'Current question\r\n7\r\n8\r\n", {1, 1, 0, 0}},
        {"x\r\n1\r\n999 'Current question\r\n-3  '# Correct\r\n-20 '# Incorrect\r\n", {1, 999, -3, -20}},
        // Blanks inside the four characters are skipped; what follows them is never read.
        {"x\r\n1   5\r\n99999'Current question\r\n&HFFFF'# Correct\r\n1 2 3'# Incorrect\r\n", {1, 9999, 255, 12}},
        // Wider values that no save writes: out of range, a blank or a sign or a zero in front,
        // no comment after them.
        {"x\r\n32768'a\r\n12345 'b\r\n+1234'c\r\n012345'd\r\n", {3276, 1234, 123, 123}},
        {"x\r\n-99999'a\r\n2\r\n12345\r\n -1234'd\r\n", {-999, 2, 1234, -12}},
    };
    for (const auto& [text, expected] : cases) {
        folder.write("USER.ASC", text);
        load();
        EXPECT_EQ(values(), expected) << text;
    }
}

TEST_F(Progress, FiveDigitAndNegativeFiveDigitValuesSaveAndReadBackWhole)
{
    game().SoundOn = 0;
    game().CurrentQuestion = 32767;
    game().CorrectCount = -12345;
    game().IncorrectCount = 12345;
    save();
    EXPECT_EQ(folder.read("USER.ASC"), "Please do NOT modify this file!\r\n0    'Sound on/off\r\n"
                                       "32767'Current question \r\n-12345'# Correct\r\n12345'# Incorrect\r\n");
    resetGame();
    game().UserFile = folder.file("USER.ASC");
    load();
    EXPECT_EQ(values(), (Values{0, 32767, -12345, 12345}));

    // Every width a save writes reads back whole, the widest negative value included.
    for (const int16_t value : {-32768, -1234, -999, 10000, 99}) {
        game().CurrentQuestion = 1;
        game().CorrectCount = value;
        save();
        load();
        EXPECT_EQ(game().CorrectCount, value);
    }
}

TEST_F(Progress, DamagedFilesNameTheFileAndLine)
{
    folder.write("USER.ASC", "h\r\n1\r\n2\r\n3\r\n");
    EXPECT_EQ(errorOf(load), game().UserFile + ":5: the progress file ends before line 5; it needs five lines");
    folder.write("USER.ASC", "");
    EXPECT_TRUE(errorOf(load).startsWith(game().UserFile + ":1:"));
    // Only an exponent overflows within four characters.
    folder.write("USER.ASC", "h\r\n1\r\n9E99'Current question\r\n3\r\n4\r\n");
    EXPECT_TRUE(errorOf(load).startsWith(game().UserFile + ":3: Overflow"));
    game().UserFile = folder.file("missing/USER.ASC");
    EXPECT_TRUE(errorOf(load).contains(game().UserFile));
}

TEST_F(Progress, SaveReplacesTheFileWholeOrNotAtAll)
{
    load();
    // A second name for the old file keeps seeing the old bytes: the save wrote a new file and
    // renamed it over the old one instead of rewriting it in place.
    const QString otherName = folder.file("OLD.ASC");
    ASSERT_EQ(::link(QFile::encodeName(game().UserFile).constData(), QFile::encodeName(otherName).constData()), 0);
    const QByteArray before = folder.read("USER.ASC");
    game().CurrentQuestion = 5;
    save();
    EXPECT_EQ(folder.read("OLD.ASC"), before);
    EXPECT_TRUE(folder.read("USER.ASC").contains("5    'Current question"));

    game().UserFile = folder.file("missing/USER.ASC");
    EXPECT_TRUE(errorOf(save).startsWith(game().UserFile + ": cannot save the progress: "));
}
