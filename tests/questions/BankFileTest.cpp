// Whole banks for an author: saving coded and plain banks, reading them back with the game's
// reader, refusing what the game cannot play, telling coded from plain, and the findings of a
// question and of a damaged file.
#include "questions/BankConversion.h"
#include "questions/BankFile.h"
#include "tests/questions/PlainBank.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

BankQuestion question(QString text, std::array<QString, 4> answers, int16_t right = 1)
{
    BankQuestion q;
    q.question = std::move(text);
    q.answers = std::move(answers);
    q.rightAnswer = right;
    return q;
}

// One question of every shape the record layout allows.
QuestionBank everyShape()
{
    QuestionBank bank;
    bank.questions.append(question("Two answers?", {"Yes", "No"}, 2));
    BankQuestion music = question("Which song?", {"One", "Two", "Three"}, 3);
    music.kind = 2;
    music.clip = "CLIP01.MP3";
    music.extraAnswer = 1;
    music.extra = "Good ear!";
    bank.questions.append(music);
    bank.questions.append(question("  Blank third  ", {"a", "b", "", "d "}, 4));
    BankQuestion twoWithExtra = question("Two and an extra", {"x", "y"});
    twoWithExtra.extraAnswer = 2;
    twoWithExtra.extra = "Told you";
    bank.questions.append(twoWithExtra);
    bank.questions.append(question("Quotes {and} |bars|", {"\"b\"", "c", "e!", "f?"}, 1));
    return bank;
}

QList<BankQuestion> storedForms(const QuestionBank& bank)
{
    QList<BankQuestion> stored;
    for (const BankQuestion& q : bank.questions)
        stored.append(storedForm(q));
    return stored;
}

class BankFile : public testing::Test {
protected:
    BankFileReport open(const QString& name, BankFormat expected)
    {
        BankFormat format{};
        BankFileReport report = openBank(folder.file(name), format);
        EXPECT_EQ(format, expected) << name.toStdString();
        return report;
    }
    TestFolder folder;
};

} // namespace

TEST_F(BankFile, SavedCodedAndPlainBanksReadBackAsWritten)
{
    const QuestionBank bank = everyShape();
    saveCodedBank(bank, folder.file("DATA.ASC"));
    savePlainBank(bank, folder.file("DATANON.ASC"));
    for (const auto& [name, format] : {std::pair{"DATA.ASC", BankFormat::Coded}, {"DATANON.ASC", BankFormat::Plain}}) {
        const BankFileReport report = open(name, format);
        EXPECT_EQ(report.questions, storedForms(bank)) << name;
        EXPECT_EQ(report.header1, bank.header1);
        EXPECT_EQ(report.header2, bank.header2);
        EXPECT_TRUE(report.structure.isEmpty() && report.characters.isEmpty()) << name;
    }
    // The plain bank is what encode turns into the very same coded bank.
    convertPlainBank(folder.file("DATANON.ASC"), folder.file("AGAIN.ASC"));
    EXPECT_EQ(folder.read("AGAIN.ASC"), folder.read("DATA.ASC"));
    // Blanks around texts are not stored; a blank third answer before a fourth stays a slot.
    EXPECT_EQ(open("DATA.ASC", BankFormat::Coded).questions[2].answers, (std::array<QString, 4>{"a", "b", "", "d"}));
    // Nothing but the two banks is left in the folder.
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
}

TEST_F(BankFile, UnplayableOrUnstorableBanksAreRefusedAndTheOldFileKept)
{
    saveCodedBank(everyShape(), folder.file("DATA.ASC"));
    const QByteArray old = folder.read("DATA.ASC");

    QuestionBank wrongRight = everyShape();
    wrongRight.questions[3].rightAnswer = 3;  // a two-answer question
    QuestionBank blankRight = everyShape();
    blankRight.questions[2].rightAnswer = 3;  // the blank third slot
    QuestionBank accentedFirst = everyShape(), accentedLast = everyShape();  // 233 is a coded character
    accentedFirst.questions[0].answers[0] = accentedLast.questions[4].answers[0] = QStringLiteral("Caf\u00e9");
    QuestionBank tooLong = everyShape();
    tooLong.questions[0].kind = 12345;  // more than the four characters the game reads
    const std::pair<QuestionBank, QString> refused[] = {
        {QuestionBank{}, "holds no questions"},
        {wrongRight, "question 4: the right answer 3 is not one of its answers"},
        {blankRight, "question 3: the right answer 3 is not one of its answers"},
        {accentedFirst, "question 1 of the new bank reads back differently"},
        {accentedLast, "question 5 of the new bank reads back differently"},
        {tooLong, ":3: the new bank does not read back: the kind \"12345\""},
    };
    for (const auto& [bank, why] : refused) {
        const QString error = errorOf([&, &bank = bank] { saveCodedBank(bank, folder.file("DATA.ASC")); });
        EXPECT_TRUE(error.contains(why)) << error.toStdString();
        EXPECT_EQ(folder.read("DATA.ASC"), old);
    }
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{"DATA.ASC"});
    EXPECT_FALSE(errorOf([&] { saveCodedBank(everyShape(), folder.file("no/DATA.ASC")); }).isEmpty());

    // A text that looks like a separator is safe in the coded bank only.
    QuestionBank apostrophes = everyShape();
    apostrophes.questions[4].answers[1] = "'''c";
    saveCodedBank(apostrophes, folder.file("DATA.ASC"));
    EXPECT_EQ(open("DATA.ASC", BankFormat::Coded).questions, storedForms(apostrophes));
    EXPECT_TRUE(errorOf([&] { savePlainBank(apostrophes, folder.file("DATANON.ASC")); }).contains(":49: this line"));
    EXPECT_FALSE(QFile::exists(folder.file("DATANON.ASC")));
}

TEST_F(BankFile, DamagedBanksOpenWithWhatCanBeReadAndTheirFindingsAtFileLines)
{
    folder.write("DAMAGED.ASC", crlfLines({"h", encodeText("h2"),
        encodeText("1"), encodeText("0"), encodeText("2"), "", encodeText("Q1"), encodeText("a"), encodeText("b"), "''' 1",
        encodeText("1"), encodeText("0"), encodeText("1"), "", encodeText("Q2"), "''' 2",  // too short
        encodeText("x"), encodeText("0"), encodeText("1"), "", encodeText("Q3"), encodeText("a"), encodeText("b"), "''' 3",
        encodeText("stray")}));
    const BankFileReport report = open("DAMAGED.ASC", BankFormat::Coded);
    ASSERT_GE(report.questions.size(), 2);
    EXPECT_EQ(report.questions[0].question, "Q1");
    EXPECT_EQ(report.questionCount, 3);
    QStringList lines;
    for (const BankFinding& f : report.structure)
        lines << QStringLiteral("%1 q%2 %3").arg(f.line).arg(f.question).arg(f.message.left(20));
    EXPECT_TRUE(lines.contains("16 q2 question 2 has only ")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("17 q3 the kind \"x\" is not ")) << lines.join('\n').toStdString();
    EXPECT_TRUE(lines.contains("25 q0 the lines from here ")) << lines.join('\n').toStdString();

    folder.write("HEADERS.ASC", "only\r\nheaders\r\n");
    EXPECT_EQ(open("HEADERS.ASC", BankFormat::Plain).structure.first().message.left(35),
              "the question bank holds no question");
    EXPECT_FALSE(errorOf([&] { BankFormat f; openBank(folder.file("MISSING.ASC"), f); }).isEmpty());
}

TEST(QuestionCheck, EachProblemIsFoundAtItsField)
{
    TestFolder folder;
    folder.write("THERE.MP3", "");
    BankQuestion music = question("Q", {"a", "b"});
    music.kind = 2;
    const auto withClip = [&](QString clip) { BankQuestion q = music; q.clip = std::move(clip); return q; };
    BankQuestion extraNowhere = question("Q", {"a", "b", "", ""});
    extraNowhere.extra = "never";
    extraNowhere.extraAnswer = 3;
    const std::pair<BankQuestion, QList<BankField>> cases[] = {
        {question("Q", {"a", "b"}), {}},
        {withClip("THERE.MP3"), {}},
        {withClip("  "), {BankField::Clip}},
        {withClip("GONE.MP3"), {BankField::Clip}},
        {question("Q", {"a", "b", "", "d"}, 3), {BankField::RightAnswer}},
        {question("Q", {"a", "b"}, 0), {BankField::RightAnswer}},
        {extraNowhere, {BankField::ExtraAnswer}},
        {question("Tab\there", {"a", "\u20acuro"}), {BankField::Question, BankField::Answer2}},
        {question("Q", {"a", "b", "\u263a"}), {BankField::Answer3}},
    };
    for (const auto& [q, fields] : cases) {
        QList<BankField> found;
        for (const BankFinding& f : checkQuestion(q, 7, folder.path())) {
            found.append(f.field);
            EXPECT_EQ(f.question, 7);
        }
        EXPECT_EQ(found, fields) << q.question.toStdString() << " " << q.clip.toStdString();
    }
}
