// quorvel-bank: round trips through encode, decode and dump, the check's findings, exit codes.
#include "DecodeLine.h"
#include "PlainBank.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun bankTool(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(QUORVEL_BANK), args);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << args.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QList<QJsonObject> jsonLines(const QByteArray& out)
{
    QList<QJsonObject> objects;
    for (const QByteArray& line : out.split('\n')) {
        if (!line.isEmpty())
            objects.append(QJsonDocument::fromJson(line).object());
    }
    return objects;
}

// Readable in a failure message.
std::string text(const QList<QJsonObject>& objects)
{
    QByteArray all;
    for (const QJsonObject& object : objects)
        all += QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n';
    return all.toStdString();
}

QJsonObject question(int number, int kind, int extraAnswer, int right, const QString& clip, const QString& text,
                     const QStringList& answers, const QString& extra)
{
    return QJsonObject{{"number", number}, {"kind", kind}, {"extraAnswer", extraAnswer}, {"rightAnswer", right},
                       {"clip", clip}, {"question", text}, {"answers", QJsonArray::fromStringList(answers)},
                       {"extra", extra}};
}

// A coded bank written line by line: separators as they are, every other line but the first coded.
QByteArray codedBank(const QByteArrayList& plain)
{
    QByteArrayList coded{plain.first()};
    for (const QByteArray& line : plain.mid(1))
        coded.append(line.trimmed().startsWith("'''") ? line : encodeText(line));
    return crlfLines(coded);
}

const QByteArrayList everyShape{
    "  Quorvel bank  ", "Second header",
    "1", "0", "2", "", "Two answers?", "Yes", "No", "''' 1",
    "2", "1", "3", "  Delvo Theme.mp3 (remix, 1999)  ", "Which song?", "One", "Two", "Three", "", "Good ear!", "''' 2",
    "1", "0", "4", "", "Blank third", "a", "b", "", "d", "''' 3",
    "1", "2", "1", "", "  Two and an extra  ", "  x  ", "y", "", "", "Told you", "''' 4",
    "3", "0", "1", "NO CLIP", "Four", "{a}", "\"b\"", "c|d", "e!", "''' 5"};

} // namespace

TEST(QuorvelBank, PlainCodedDumpReturnsEveryFieldAsWritten)
{
    TestFolder folder;
    folder.write("PLAIN.ASC", crlfLines(everyShape));
    ASSERT_EQ(bankTool({"encode", folder.file("PLAIN.ASC"), folder.file("DATA.ASC")}).code, 0);
    const ToolRun dump = bankTool({"dump", folder.file("DATA.ASC")});
    EXPECT_EQ(dump.code, 0) << dump.err.toStdString();
    const QList<QJsonObject> expected{
        question(1, 1, 0, 2, "", "Two answers?", {"Yes", "No"}, ""),
        question(2, 2, 1, 3, "Delvo Theme.mp3", "Which song?", {"One", "Two", "Three"}, "Good ear!"),
        question(3, 1, 0, 4, "", "Blank third", {"a", "b", "", "d"}, ""),
        question(4, 1, 2, 1, "", "Two and an extra", {"x", "y"}, "Told you"),
        question(5, 3, 0, 1, "NO CLIP", "Four", {"{a}", "\"b\"", "c|d", "e!"}, ""),
    };
    EXPECT_EQ(text(jsonLines(dump.out)), text(expected));

    const ToolRun one = bankTool({"dump", folder.file("DATA.ASC"), "4"});
    EXPECT_EQ(text(jsonLines(one.out)), text({expected[3]}));
}

TEST(QuorvelBank, DecodeGivesBackAPlainBankThatEncodesToTheSameBytes)
{
    TestFolder folder;
    folder.write("PLAIN.ASC", crlfLines(everyShape));
    ASSERT_EQ(bankTool({"encode", folder.file("PLAIN.ASC"), folder.file("DATA.ASC")}).code, 0);
    ASSERT_EQ(bankTool({"decode", folder.file("DATA.ASC"), folder.file("BACK.ASC")}).code, 0);
    QByteArrayList trimmed{everyShape.first()};
    for (const QByteArray& line : everyShape.mid(1))
        trimmed.append(line.trimmed());
    EXPECT_EQ(folder.read("BACK.ASC"), crlfLines(trimmed));
    ASSERT_EQ(bankTool({"encode", folder.file("BACK.ASC"), folder.file("AGAIN.ASC")}).code, 0);
    EXPECT_EQ(folder.read("AGAIN.ASC"), folder.read("DATA.ASC"));

    // Separators the next encode would turn into text are pointed out.
    folder.write("ODD.ASC", codedBank({"h", "h2", "1", "0", "1", "", "Q", "a", "b", "'''", "  ''' x"}));
    const ToolRun odd = bankTool({"decode", folder.file("ODD.ASC"), folder.file("ODD.TXT")});
    EXPECT_EQ(odd.code, 0);
    EXPECT_TRUE(odd.err.contains("ODD.ASC:10: warning")) << odd.err.toStdString();
    EXPECT_TRUE(odd.err.contains("ODD.ASC:11: warning")) << odd.err.toStdString();
}

TEST(QuorvelBank, DumpShowsTheBanksEightBitTextAsUtf8)
{
    TestFolder folder;
    folder.write("DATA.ASC", codedBank({"h", "h2", "1", "0", "1", "", "Q", "a", encodeText("b") + "\xFF", "''' 1"}));
    const QList<QJsonObject> dump = jsonLines(bankTool({"dump", folder.file("DATA.ASC")}).out);
    ASSERT_EQ(dump.size(), 1);
    EXPECT_EQ(dump[0]["answers"].toArray()[1].toString(), QString::fromUtf8("b\xC3\xBF"));
}

TEST(QuorvelBank, CheckReportsEveryProblemWithFileAndLine)
{
    TestFolder folder;
    folder.write("Here.mp3", "");
    const QByteArrayList clean{"h", "h2", "2", "0", "1", "Here.mp3 fine", "Q", "a", "b", "''' 1"};
    folder.write("GOOD.ASC", codedBank(clean));
    const ToolRun good = bankTool({"check", folder.file("GOOD.ASC")});
    EXPECT_EQ(good.code, 0) << good.out.toStdString();

    folder.write("DATA.ASC", codedBank({
        "h", "h2",
        "1", "0", "5", "", "Q1", "a", "b", "''' 1",                      //  3..10 right answer 5
        "2", "0", "1", "gone.mp3 x", "Q2", "a", "b", "''' 2",            // 11..18 clip missing
        "2", "3", "1", "", "Q3", "a", "b", "", "", "Extra", "''' 3",     // 19..29 no clip, extra answer 3
        "x1", "12345", "1", "", "Q4", "a", "b", "''' 4",                 // 30..37 not numbers
        "1E10", "0", "1", "", "Q5", "a", "b", "''' 5",                   // 38..45 overflow
        "1", "0", "1", "", "Q6", "''' 6",                                // 46..51 too short
        "1", "0", "1", "", "Q7", "a", "b", "''' 7",                      // 52..59
        "1", "0", "1", "", "Q8", "a", "b", "   ''' indented", "stray", "''' 8",  // 60..69
        "tab\there", "after"}));                                         // 70..71
    QByteArray bank = folder.read("DATA.ASC");
    bank.append("\xA0\r\n");   // a code that stands for nothing, line 72
    folder.write("DATA.ASC", bank);
    const ToolRun check = bankTool({"check", folder.file("DATA.ASC")});
    EXPECT_EQ(check.code, 1);
    const QString file = folder.file("DATA.ASC");
    const QStringList expected{
        "5: question 1: the right answer 5 is not one of its answers",
        "14: the clip \"gone.mp3\" is missing next to the bank",
        "20: question 3 has an extra text, but its extra-answer number 3 names no answer",
        "22: a music question needs a clip name",
        "30: the kind \"x1\" is not a number; the game reads it as 0",
        "31: the extra-answer number \"12345\" does not fit the four characters the game reads; it reads as 1234",
        "38: question 5: Overflow",
        "51: question 6 has only 5 lines before this separator",
        "67: a separator with blanks before its apostrophes",
        "70: the lines from here on follow the last separator",
        "70: the decoded text holds character code 9 at column 4",
        "72: the coded character code 160 at column 1 stands for nothing",
    };
    const QStringList lines = QString::fromLocal8Bit(check.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), expected.size()) << check.out.toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(file + ':' + expected[i])) << lines[i].toStdString();

    folder.write("EMPTY.ASC", "h\r\nh2\r\n");
    const ToolRun empty = bankTool({"check", folder.file("EMPTY.ASC")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(empty.out.contains("EMPTY.ASC:3: the question bank holds no questions")) << empty.out.toStdString();
}

TEST(QuorvelBank, UsageAndFileErrorsExitWithTwo)
{
    TestFolder folder;
    for (const QString& command : {"encode", "decode", "dump", "check"}) {
        const ToolRun help = bankTool({command, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.out.startsWith("Usage: quorvel-bank " + command.toLatin1())) << help.out.toStdString();
    }
    EXPECT_EQ(bankTool({"--help"}).code, 0);
    EXPECT_EQ(bankTool({}).code, 2);
    EXPECT_EQ(bankTool({"shuffle", "x"}).code, 2);
    EXPECT_EQ(bankTool({"encode", "only-one"}).code, 2);
    EXPECT_EQ(bankTool({"check", "--fast", "x"}).code, 2);

    const ToolRun missing = bankTool({"check", folder.file("NONE.ASC")});
    EXPECT_EQ(missing.code, 2);
    EXPECT_TRUE(missing.err.contains(folder.file("NONE.ASC").toLocal8Bit()));
    EXPECT_EQ(bankTool({"dump", folder.file("NONE.ASC")}).code, 2);
    folder.write("PLAIN.ASC", crlfLines(everyShape));
    const ToolRun unwritable = bankTool({"encode", folder.file("PLAIN.ASC"), folder.file("no/DATA.ASC")});
    EXPECT_EQ(unwritable.code, 2);
    EXPECT_TRUE(unwritable.err.contains(folder.file("no/DATA.ASC").toLocal8Bit()));
    ASSERT_EQ(bankTool({"encode", folder.file("PLAIN.ASC"), folder.file("DATA.ASC")}).code, 0);
    EXPECT_EQ(bankTool({"dump", folder.file("DATA.ASC"), "6"}).code, 2);
}

TEST(QuorvelBank, DamagedBanksAreReportedNeverCrash)
{
    TestFolder folder;
    folder.write("PLAIN.ASC", crlfLines(everyShape));
    ASSERT_EQ(bankTool({"encode", folder.file("PLAIN.ASC"), folder.file("DATA.ASC")}).code, 0);
    const QByteArray good = folder.read("DATA.ASC");
    QRandomGenerator random(7);
    for (int round = 0; round < 20; ++round) {
        QByteArray bad = good;
        bad.truncate(random.bounded(bad.size()));
        bad.insert(random.bounded(bad.size() + 1), "'''\r\n\xFF\t"[random.bounded(7)]);
        folder.write("BAD.ASC", bad);
        for (const char* command : {"check", "dump"}) {
            const ToolRun run = bankTool({command, folder.file("BAD.ASC")});
            EXPECT_TRUE(run.code == 0 || run.code == 1) << command << " exit " << run.code;
        }
    }
}
