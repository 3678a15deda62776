// The line codec: the substitution table, decoding, and the conversion of a plain bank.
#include "questions/CodeTable.h"
#include "tests/questions/PlainBank.h"

#include <QFile>
#include <gtest/gtest.h>
#include <set>

namespace {

QByteArray decoded(QByteArray text)
{
    int16_t mode = 2;
    DecodeLine(mode, text);
    return text;
}

} // namespace

TEST(CodeTable, CodesEveryPlainCharacterToItsOwnCodeAndBack)
{
    QByteArray plain;
    for (int c = 32; c <= 125; ++c)
        plain += static_cast<char>(c);
    const QByteArray coded = encodeText(plain);
    EXPECT_EQ(coded[0], ' ');
    const std::set<uint8_t> codes(coded.begin() + 1, coded.end());
    EXPECT_EQ(codes.size(), 93u);
    EXPECT_GE(*codes.begin(), 126);
    EXPECT_LE(*codes.rbegin(), 254);
    EXPECT_EQ(decoded(coded), plain);
}

// A bank coded by an earlier build: the substitution must never change, or such a bank would
// read with wrong characters. The committed pair holds every plain character 33..125 and a
// sentence, with the coded lines as the game has always written them.
TEST(CodeTable, ReadsAndWritesTheCommittedBankByteForByte)
{
    QFile plainFile(QStringLiteral(QUORVEL_TEST_DATA "/CODETABLE-PLAIN.ASC"));
    QFile codedFile(QStringLiteral(QUORVEL_TEST_DATA "/CODETABLE-CODED.ASC"));
    ASSERT_TRUE(plainFile.open(QIODevice::ReadOnly) && codedFile.open(QIODevice::ReadOnly));
    const QByteArray plain = plainFile.readAll(), coded = codedFile.readAll();
    const QByteArrayList plainLines = plain.split('\n'), codedLines = coded.split('\n');
    ASSERT_EQ(plainLines.size(), 7);
    ASSERT_EQ(codedLines.size(), 7);
    for (int line = 1; line <= 4; ++line)
        EXPECT_EQ(decoded(codedLines[line].chopped(1)), plainLines[line].chopped(1)) << "line " << line + 1;

    TestFolder folder;
    game().PlainBankFile = folder.file("DATANON.ASC");
    game().BankFile = folder.file("DATA.ASC");
    folder.write("DATANON.ASC", plain);
    convertBank();
    EXPECT_EQ(folder.read("DATA.ASC"), coded);
}

TEST(DecodeLine, LeavesUncodedCharactersAloneAndDropsCodesThatStandForNothing)
{
    QByteArray uncoded;
    for (int c = 0; c <= 125; ++c)
        uncoded += static_cast<char>(c);
    uncoded += '\xFF';
    EXPECT_EQ(decoded(uncoded), uncoded);
    EXPECT_EQ(decoded(""), "");
    int unused = 126;
    while (unused <= 254 && CodeTable::kept()[unused] != 0)
        ++unused;
    ASSERT_LE(unused, 254);
    const char code = static_cast<char>(unused);
    EXPECT_EQ(decoded(encodeText("ab") + code + encodeText(" c") + code), "ab c");
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
    const QByteArrayList plain{"  Header one  ", "  two ", "'''", "''' end", "   '''  remark  ", "'''", "\xE9t\xE9"};
    makeBank(folder, plain);
    const QByteArray coded = folder.read("DATA.ASC");
    EXPECT_EQ(coded, crlfLines({"  Header one  ", encodeText("two"), encodeText("'''"), "''' end", "'''  remark",
                                encodeText("'''"), "\xE9" + encodeText("t") + "\xE9"}));
    // Unix line ends read the same, and the new bank replaces a longer old one whole.
    folder.write("DATA.ASC", QByteArray(5000, 'z'));
    folder.write("DATANON.ASC", plain.join('\n'));
    convertBank();
    EXPECT_EQ(folder.read("DATA.ASC"), coded);
}

TEST(Conversion, ReportsAMissingPlainBankOrAnUnwritableFolderByName)
{
    TestFolder folder;
    game().PlainBankFile = folder.file("DATANON.ASC");
    game().BankFile = folder.file("DATA.ASC");
    EXPECT_TRUE(errorOf(convertBank).contains(game().PlainBankFile));
    folder.write("DATANON.ASC", "h\r\n");
    game().BankFile = folder.file("no/such/folder/DATA.ASC");
    EXPECT_TRUE(errorOf(convertBank).contains(game().BankFile));
}
