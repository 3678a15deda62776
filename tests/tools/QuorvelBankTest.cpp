// quorvel-bank: round trips through encode, decode and dump, the check's findings, exit codes.
#include "tests/questions/PlainBank.h"

#include <QDir>
#include <QJsonDocument>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code = -1;
    QByteArray out;
    QByteArray err;
};

ToolRun bankTool(const QStringList& args, const QString& workingFolder = QString())
{
    QProcess process;
    process.setWorkingDirectory(workingFolder);
    process.start(QStringLiteral(QUORVEL_BANK), args);
    process.waitForFinished(60000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << args.join(' ').toStdString();
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

// JSON lines in one canonical form (keys sorted), readable in a failure message.
std::string jsonLines(const QByteArray& out)
{
    QByteArray all;
    for (const QByteArray& line : out.split('\n')) {
        if (!line.isEmpty())
            all += QJsonDocument::fromJson(line).toJson(QJsonDocument::Compact) + '\n';
    }
    return all.toStdString();
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

// check finds exactly these problems, in order: each "LINE: the start of its message".
void expectFindings(const QString& bank, const QStringList& expected)
{
    const ToolRun check = bankTool({"check", bank});
    EXPECT_EQ(check.code, 1);
    const QStringList lines = QString::fromLocal8Bit(check.out).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), expected.size()) << check.out.toStdString();
    for (qsizetype i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(lines[i].startsWith(bank + ':' + expected[i])) << lines[i].toStdString();
}

class QuorvelBank : public testing::Test {
protected:
    void SetUp() override
    {
        folder.write("PLAIN.ASC", crlfLines(everyShape));
        ASSERT_EQ(bankTool({"encode", folder.file("PLAIN.ASC"), folder.file("DATA.ASC")}).code, 0);
    }
    TestFolder folder;
};

} // namespace

TEST_F(QuorvelBank, PlainCodedDumpReturnsEveryFieldAsWritten)
{
    const ToolRun dump = bankTool({"dump", folder.file("DATA.ASC")});
    EXPECT_EQ(dump.code, 0) << dump.err.toStdString();
    const QByteArrayList expected{
        R"({"number":1,"kind":1,"extraAnswer":0,"rightAnswer":2,"clip":"","question":"Two answers?","answers":["Yes","No"],"extra":"","header":["  Quorvel bank  ","Second header"]})",
        R"x({"number":2,"kind":2,"extraAnswer":1,"rightAnswer":3,"clip":"Delvo Theme.mp3","clipComment":" (remix, 1999)","question":"Which song?","answers":["One","Two","Three"],"extra":"Good ear!"})x",
        R"({"number":3,"kind":1,"extraAnswer":0,"rightAnswer":4,"clip":"","question":"Blank third","answers":["a","b","","d"],"extra":""})",
        R"({"number":4,"kind":1,"extraAnswer":2,"rightAnswer":1,"clip":"","question":"Two and an extra","answers":["x","y"],"extra":"Told you"})",
        R"({"number":5,"kind":3,"extraAnswer":0,"rightAnswer":1,"clip":"NO CLIP","question":"Four","answers":["{a}","\"b\"","c|d","e!"],"extra":""})"};
    EXPECT_EQ(jsonLines(dump.out), jsonLines(expected.join('\n')));
    EXPECT_EQ(jsonLines(bankTool({"dump", folder.file("DATA.ASC"), "4"}).out), jsonLines(expected[3]));

    // The bank's 8-bit text comes out as UTF-8.
    folder.write("HIGH.ASC", codedBank({"h", "h2", "1", "0", "1", "", "Q", "a", encodeText("b") + "\xFF", "''' 1"}));
    EXPECT_TRUE(bankTool({"dump", folder.file("HIGH.ASC")}).out.contains(R"(["a","b)" "\xC3\xBF" R"("])"));
}

TEST_F(QuorvelBank, DecodeGivesBackAPlainBankThatEncodesToTheSameBytes)
{
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
    EXPECT_TRUE(odd.err.contains("ODD.ASC:10: warning") && odd.err.contains("ODD.ASC:11: warning")) << odd.err.toStdString();
}

TEST_F(QuorvelBank, CheckReportsEveryProblemWithFileAndLine)
{
    folder.write("Here.mp3", "");
    folder.write("GOOD.ASC", codedBank({"h", "h2", "2", "0", "1", "Here.mp3 fine", "Q", "a", "b", "''' 1"}));
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
        "tab\there", "after"}) + "\xA0\r\n");  // 70..71, and at 72 a code that stands for nothing
    expectFindings(folder.file("DATA.ASC"), {
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
    });

    folder.write("EMPTY.ASC", "h\r\nh2\r\n");
    const ToolRun empty = bankTool({"check", folder.file("EMPTY.ASC")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_TRUE(empty.out.contains("EMPTY.ASC:3: the question bank holds no questions")) << empty.out.toStdString();
}

TEST_F(QuorvelBank, CheckReadsEveryQuestionOfTheLargestBankTheGameAccepts)
{
    const QByteArrayList record{"1", "0", "1", "", "Q", "a", "b"};
    QByteArray coded = codedBank({"h", "h2"});
    const QByteArray codedRecord = codedBank(record);
    for (int number = 1; number <= 32767; ++number)
        coded += codedRecord + "''' " + QByteArray::number(number) + "\r\n";
    folder.write("LARGEST.ASC", coded);
    const ToolRun largest = bankTool({"check", folder.file("LARGEST.ASC")});
    EXPECT_EQ(largest.code, 0) << largest.err.toStdString();
    EXPECT_TRUE(largest.out.endsWith("LARGEST.ASC: 32767 questions, no problems found\n")) << largest.out.toStdString();

    folder.write("TOO-LARGE.ASC", coded + codedRecord + "''' 32768\r\n");
    const ToolRun tooLarge = bankTool({"check", folder.file("TOO-LARGE.ASC")});
    EXPECT_EQ(tooLarge.code, 1);
    EXPECT_TRUE(tooLarge.out.contains("32767")) << tooLarge.out.toStdString();
}

TEST_F(QuorvelBank, CheckReportsClipsTheGameRefusesAndPassesBlankLinesInARecord)
{
    // Every clip is on disk; the bank is in a subfolder so that "../" finds a file too.
    QDir(folder.path()).mkpath("bank/sub");
    for (const char* clip : {"CLIP01.MP3", "bank/sub/CLIP02.MP3", "bank/CLIP..03.MP3", "bank/a\\b.MP3", "bank/CLIP04.MP3"})
        folder.write(clip, "");
    folder.write("bank/DATA.ASC", codedBank({
        "h", "h2",
        "2", "0", "1", "../CLIP01.MP3", "Q1", "a", "b", "''' 1",         //  3..10
        "2", "0", "1", "sub/CLIP02.MP3", "Q2", "a", "b", "''' 2",        // 11..18
        "2", "0", "1", "CLIP..03.MP3", "Q3", "a", "b", "''' 3",          // 19..26
        "2", "0", "1", "a\\b.MP3", "Q4", "a", "b", "''' 4",              // 27..34
        "2", "0", "1", "CLIP04.MP3", "Q5", "a", "b", "", "", "", "  ", "''' 5",  // 35..46 blank lines
        "1", "0", "1", "", "Q6", "a", "b", "", "", "", "", "stray", "''' 6"}));   // 47..59
    expectFindings(folder.file("bank/DATA.ASC"), {
        "6: the game will not play the clip \"../CLIP01.MP3\"",
        "14: the game will not play the clip \"sub/CLIP02.MP3\"",
        "22: the game will not play the clip \"CLIP..03.MP3\"",
        "30: the game will not play the clip \"a\\b.MP3\"",
        "58: question 6: the lines after its extra text up to the separator on line 59 are never read",
    });
}

TEST_F(QuorvelBank, DoubleDashEndsTheOptionsSoFileNamesMayBeginWithADash)
{
    folder.write("-DATA.ASC", folder.read("DATA.ASC"));
    folder.write("Delvo Theme.mp3", "");
    const ToolRun check = bankTool({"check", "--", "-DATA.ASC"}, folder.path());
    EXPECT_EQ(check.code, 0) << check.err.toStdString();
    EXPECT_TRUE(check.out.startsWith("-DATA.ASC: 5 questions")) << check.out.toStdString();
    EXPECT_EQ(bankTool({"dump", "--", "-DATA.ASC", "2"}, folder.path()).out.count('\n'), 1);
    EXPECT_EQ(bankTool({"decode", "--", "-DATA.ASC", "-PLAIN.ASC"}, folder.path()).code, 0);
    EXPECT_EQ(folder.read("-PLAIN.ASC").left(16), "  Quorvel bank  ");
    // Without "--" the name is an unknown option, and after "--" so is nothing else.
    EXPECT_EQ(bankTool({"check", "-DATA.ASC"}, folder.path()).code, 2);
    EXPECT_TRUE(bankTool({"check", "--", "--help"}, folder.path()).err.contains("--help: cannot open the file"));
}

TEST_F(QuorvelBank, UsageAndFileErrorsExitWithTwo)
{
    for (const char* command : {"encode", "decode", "dump", "check", "import"}) {
        const ToolRun help = bankTool({command, "--help"});
        EXPECT_EQ(help.code, 0);
        EXPECT_TRUE(help.out.startsWith(QByteArray("Usage: quorvel-bank ") + command)) << help.out.toStdString();
    }
    EXPECT_EQ(bankTool({"--help"}).code, 0);
    const QString none = folder.file("NONE.ASC"), unwritable = folder.file("no/DATA.ASC");
    const QStringList bad[] = {{}, {"shuffle", "x"}, {"encode", "only-one"}, {"check", "--fast", "x"},
                               {"dump", folder.file("DATA.ASC"), "6"}, {"dump", none}, {"check", none},
                               {"encode", folder.file("PLAIN.ASC"), unwritable}};
    for (const QStringList& args : bad)
        EXPECT_EQ(bankTool(args).code, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(bankTool({"check", none}).err.contains(none.toLocal8Bit()));
    EXPECT_TRUE(bankTool({"encode", folder.file("PLAIN.ASC"), unwritable}).err.contains(unwritable.toLocal8Bit()));
}

// Random cuts and stray bytes: the game's reader, through check and dump, reports and never crashes.
TEST_F(QuorvelBank, DamagedBanksAreReportedNeverCrash)
{
    const QByteArray good = folder.read("DATA.ASC");
    QRandomGenerator random(7);
    for (int round = 0; round < 30; ++round) {
        QByteArray bad = good;
        bad.remove(random.bounded(bad.size()), random.bounded(20));
        bad.insert(random.bounded(bad.size() + 1), "'''\r\n\xFF\t"[random.bounded(7)]);
        if (round % 2)
            bad.truncate(random.bounded(bad.size()));
        folder.write("BAD.ASC", bad);
        for (const char* command : {"check", "dump"}) {
            const ToolRun run = bankTool({command, folder.file("BAD.ASC")});
            EXPECT_TRUE(run.code == 0 || run.code == 1) << command << " exit " << run.code;
        }
    }
}

TEST_F(QuorvelBank, ImportIsTheInverseOfDump)
{
    // The author's header lines, clip comment, blank answer lines and remark come back byte for byte.
    folder.write("DUMP.JSON", bankTool({"dump", folder.file("DATA.ASC")}).out);
    ASSERT_EQ(bankTool({"import", folder.file("DUMP.JSON"), folder.file("NEW.ASC")}).code, 0);
    EXPECT_EQ(folder.read("NEW.ASC"), folder.read("DATA.ASC"));

    // A script need not number its questions; blank lines are skipped.
    folder.write("SCRIPT.JSON", R"({"kind":1,"extraAnswer":0,"rightAnswer":2,"clip":"","question":"Q","answers":["a","b"],"extra":""})"
                                "\n\n");
    ASSERT_EQ(bankTool({"import", folder.file("SCRIPT.JSON"), folder.file("SCRIPT.ASC")}).code, 0);
    EXPECT_EQ(jsonLines(bankTool({"dump", folder.file("SCRIPT.ASC")}).out),
              jsonLines(R"({"number":1,"kind":1,"extraAnswer":0,"rightAnswer":2,"clip":"","question":"Q","answers":["a","b"],"extra":"",)"
                        R"("header":["The Quorvel Challenge","Question bank"]})"));
}

TEST_F(QuorvelBank, ImportRefusesWhatABankCannotHoldNamingTheLine)
{
    const QByteArray good = R"({"kind":1,"extraAnswer":0,"rightAnswer":1,"clip":"","question":"Q","answers":["a","b"],"extra":""})";
    const std::pair<QByteArray, const char*> bad[] = {
        {"{not json", ":2: "},
        {R"({"kind":1,"extraAnswer":0,"rightAnswer":1,"clip":"","question":"Q","answers":["a"],"extra":""})", "2 to 4 answers"},
        {R"({"kind":1,"extraAnswer":0,"rightAnswer":1,"clip":"","question":"two\nlines","answers":["a","b"],"extra":""})", "line break"},
        {R"({"kind":"1","extraAnswer":0,"rightAnswer":1,"clip":"","question":"Q","answers":["a","b"],"extra":""})", "\"kind\" must be a whole number"},
        {R"({"kind":1,"extraAnswer":0,"rightAnswer":12345,"clip":"","question":"Q","answers":["a","b"],"extra":""})", "\"rightAnswer\" must be"},
        {R"({"kind":1,"extraAnswer":0,"rightAnswer":1,"question":"Q","answers":["a","b"],"extra":""})", "\"clip\" must be a text"},
    };
    const QByteArray old = folder.read("DATA.ASC");
    for (const auto& [line, why] : bad) {
        folder.write("BAD.JSON", good + "\n" + line + "\n");
        const ToolRun run = bankTool({"import", folder.file("BAD.JSON"), folder.file("DATA.ASC")});
        EXPECT_EQ(run.code, 2);
        EXPECT_TRUE(run.err.contains("BAD.JSON:2: ") && run.err.contains(why)) << run.err.toStdString();
        EXPECT_EQ(folder.read("DATA.ASC"), old);
    }
}

TEST_F(QuorvelBank, CheckMeasuresEveryTextWithTheGamesFontsAndLayout)
{
    // The bundled bank fits on the common screens and the large ones.
    const QString bundled = QStringLiteral(QUORVEL_GAME_DATA_DIR "/DATA.ASC");
    for (const char* screen : {"800x600", "1024x768", "1280x1024", "1920x1080"}) {
        const ToolRun run = bankTool({"check", "--screen", screen, bundled});
        EXPECT_EQ(run.code, 0) << screen << '\n' << run.out.toStdString();
    }

    QByteArrayList plain = everyShape;
    plain[19] = "Good ear! That was the band's very first recording, made one wet Sunday in Old Gus's garden shed.";
    plain[29] = "a fourth answer that runs on and on, far past the right-hand edge of the quiz window";
    folder.write("Delvo Theme.mp3", "");
    folder.write("LONG.ASC", codedBank(plain));
    const QString file = folder.file("LONG.ASC");
    const QRegularExpression finding(QStringLiteral("^(.*):(\\d+): question (\\d): (the remark|answer 4) is (\\d+) px "
                                                    "wider than the window at (\\d+x\\d+)$"));
    struct Case {
        QStringList options;
        QStringList screens;  // in the order reported for each text
    };
    const Case cases[] = {{{"--screen", "800x600"}, {"800x600"}},
                          {{}, {"800x600", "1024x768"}},
                          {{"--screen", "1920x1080", "--screen", "640x480"}, {"1920x1080", "640x480"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const ToolRun run = bankTool(QStringList{"check"} + c.options + QStringList{file});
        EXPECT_EQ(run.code, 1);
        const QStringList lines = QString::fromLocal8Bit(run.out).split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 2 * c.screens.size()) << run.out.toStdString();
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const QRegularExpressionMatch m = finding.match(lines[i]);
            ASSERT_TRUE(m.hasMatch()) << lines[i].toStdString();
            const bool remark = i < c.screens.size();  // line 20 comes before line 30
            EXPECT_EQ(m.captured(1), file);
            EXPECT_EQ(m.captured(2), remark ? "20" : "30");
            EXPECT_EQ(m.captured(3), remark ? "2" : "3");
            EXPECT_EQ(m.captured(4), remark ? "the remark" : "answer 4");
            EXPECT_GT(m.captured(5).toInt(), 0);
            EXPECT_EQ(m.captured(6), c.screens[i % c.screens.size()]);
        }
    }

    for (const QStringList& bad : {QStringList{"check", "--screen", "800", file}, QStringList{"check", file, "--screen"},
                                   QStringList{"check", "--screen", "800x600"}}) {
        const ToolRun run = bankTool(bad);
        EXPECT_EQ(run.code, 2) << bad.join(' ').toStdString();
    }
}
