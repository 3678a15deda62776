// The line codec: the substitution table, decoding, and the conversion of a plain bank.
#include "CodeTable.h"
#include "DecodeLine.h"
#include "GameState.h"
#include "PlainBank.h"
#include "RunTimeError.h"

#include <gtest/gtest.h>
#include <set>

namespace {

QByteArray decoded(QByteArray text)
{
    int16_t mode = 2;
    DecodeLine(mode, text);
    return text;
}

QByteArray allPlainCharacters()
{
    QByteArray plain;
    for (int c = 32; c <= 125; ++c)
        plain += static_cast<char>(c);
    return plain;
}

// A code in 126..254 that stands for nothing.
char unusedCode()
{
    for (int c = 126; c <= 254; ++c) {
        if (CodeTable::kept()[c] == 0)
            return static_cast<char>(c);
    }
    return 0;
}

} // namespace

TEST(CodeTable, CodesEveryPlainCharacterToItsOwnCodeAndBack)
{
    const QByteArray plain = allPlainCharacters();
    const QByteArray coded = encodeText(plain);
    EXPECT_EQ(coded[0], ' ');
    std::set<uint8_t> codes;
    for (char c : coded.mid(1)) {
        const auto code = static_cast<uint8_t>(c);
        EXPECT_GE(code, 126);
        EXPECT_LE(code, 254);
        codes.insert(code);
    }
    EXPECT_EQ(codes.size(), 93u);
    EXPECT_EQ(decoded(coded), plain);
}

TEST(DecodeLine, LeavesEverythingButCodedCharactersAlone)
{
    EXPECT_EQ(decoded(""), "");
    EXPECT_EQ(decoded("     "), "     ");
    QByteArray uncoded;
    for (int c = 0; c <= 125; ++c)
        uncoded += static_cast<char>(c);
    uncoded += '\xFF';
    EXPECT_EQ(decoded(uncoded), uncoded);
}

TEST(DecodeLine, DropsCodesThatStandForNothing)
{
    const char unused = unusedCode();
    ASSERT_NE(unused, 0);
    const QByteArray line = encodeText("ab") + unused + encodeText(" c") + unused;
    EXPECT_EQ(decoded(line), "ab c");
}

TEST(DecodeLine, DecodesAndConvertsLinesOfAnyLength)
{
    QByteArray plain(100000, 'x');
    plain[50000] = ' ';
    EXPECT_EQ(decoded(encodeText(plain)), plain);

    TestFolder folder;
    makeBank(folder, {"head", "two", plain});
    const QByteArray coded = folder.read("DATA.ASC");
    EXPECT_EQ(coded.size(), 6 + 5 + 100002);
    EXPECT_EQ(decoded(coded.sliced(11, 100000)), plain);
}

TEST(Conversion, CopiesLineOneTrimsTheRestAndKeepsOnlyRealSeparators)
{
    TestFolder folder;
    makeBank(folder, {"  Header one  ", "  two ", "'''", "''' end", "   '''  remark  ", "'''", "\xE9t\xE9"});
    EXPECT_EQ(folder.read("DATA.ASC"),
              crlfLines({"  Header one  ", encodeText("two"), encodeText("'''"), "''' end", "'''  remark",
                         encodeText("'''"), "\xE9" + encodeText("t") + "\xE9"}));
    // Characters 126..254 are stored uncoded, so they do not read back as written.
    EXPECT_NE(decoded("\xE9t\xE9"), "\xE9t\xE9");
}

TEST(Conversion, ReadsPlainBanksWithUnixLineEndsAndReplacesTheCodedBank)
{
    TestFolder folder;
    makeBank(folder, {"h", "a", "'''1"});
    const QByteArray expected = folder.read("DATA.ASC");
    folder.write("DATA.ASC", QByteArray(5000, 'z'));
    folder.write("DATANON.ASC", "h\na\n'''1");
    int16_t convert = 1;
    QByteArray text = "left alone";
    DecodeLine(convert, text);
    EXPECT_EQ(text, "left alone");
    EXPECT_EQ(folder.read("DATA.ASC"), expected);
}

TEST(Conversion, ReportsAMissingPlainBankOrAnUnwritableFolderByName)
{
    TestFolder folder;
    game().PlainBankFile = folder.file("DATANON.ASC");
    game().BankFile = folder.file("DATA.ASC");
    int16_t convert = 1;
    QByteArray unused;
    try {
        DecodeLine(convert, unused);
        FAIL() << "converted a missing bank";
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.message().contains(game().PlainBankFile)) << e.message().toStdString();
    }
    folder.write("DATANON.ASC", "h\r\n");
    game().BankFile = folder.file("no/such/folder/DATA.ASC");
    try {
        DecodeLine(convert, unused);
        FAIL() << "wrote into a missing folder";
    } catch (const RunTimeError& e) {
        EXPECT_TRUE(e.message().contains(game().BankFile)) << e.message().toStdString();
    }
}
