// The editing model without a window: adding, editing, reordering and deleting questions with
// undo and redo, the findings while the author types, and open, edit, save, reopen on real files.
#include "editor/BankDocument.h"
#include "tests/questions/PlainBank.h"

#include <QMimeData>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

BankQuestion question(const QString& text, int16_t right = 1)
{
    BankQuestion q;
    q.question = text;
    q.answers = {"yes", "no"};
    q.rightAnswer = right;
    return q;
}

QStringList texts(const BankDocument& d)
{
    QStringList all;
    for (int row = 0; row < d.count(); ++row)
        all << d.question(row).question;
    return all;
}

QStringList listed(const BankDocument& d)
{
    QStringList all;
    for (int row = 0; row < d.count(); ++row)
        all << d.data(d.index(row), Qt::DisplayRole).toString();
    return all;
}

} // namespace

TEST(BankDocument, EveryChangeUndoesAndRedoes)
{
    BankDocument d;
    d.newBank();
    d.insert(0, question("A"));
    d.insert(1, question("B"));
    d.insert(2, question("C"));
    d.duplicate(0);
    EXPECT_EQ(texts(d), (QStringList{"A", "A", "B", "C"}));
    d.move(3, 0);
    EXPECT_EQ(texts(d), (QStringList{"C", "A", "A", "B"}));
    d.remove(1);
    EXPECT_EQ(texts(d), (QStringList{"C", "A", "B"}));
    EXPECT_EQ(listed(d), (QStringList{"1.  C", "2.  A", "3.  B"}));

    // Typing into one field is one step; the next field starts a new one.
    for (const char* typed : {"B", "Be", "Bee"}) {
        BankQuestion q = d.question(2);
        q.question = typed;
        d.edit(2, BankField::Question, q);
    }
    BankQuestion q = d.question(2);
    q.answers[2] = "maybe";
    d.edit(2, BankField::Answer3, q);
    EXPECT_EQ(d.question(2).answerSlots(), 3);

    const QStringList steps{"C A Bee", "C A Bee", "C A B", "C A A B", "A A B C", "A B C", "A B", "A", ""};
    for (const QString& expected : steps) {
        EXPECT_EQ(texts(d).join(' '), expected);
        d.undoStack()->undo();
    }
    EXPECT_FALSE(d.undoStack()->canUndo());
    while (d.undoStack()->canRedo())
        d.undoStack()->redo();
    EXPECT_EQ(texts(d), (QStringList{"C", "A", "Bee"}));
    EXPECT_EQ(d.question(2).answers[2], "maybe");
    EXPECT_TRUE(d.isModified());
}

TEST(BankDocument, FindingsFollowTheQuestionsAsTheyChange)
{
    BankDocument d;
    d.newBank();
    d.insert(0, question("fine"));
    d.insert(1, question("wrong", 3));
    EXPECT_TRUE(d.findings(0).isEmpty());
    ASSERT_EQ(d.findings(1).size(), 1);
    EXPECT_EQ(d.findings(1)[0].field, BankField::RightAnswer);
    EXPECT_TRUE(d.findings(1)[0].message.startsWith("question 2: the right answer 3"));
    EXPECT_TRUE(listed(d)[1].endsWith(u'\u26a0'));

    // A move renumbers the messages; filling answer 3 makes the right answer valid.
    d.move(1, 0);
    EXPECT_TRUE(d.findings(0)[0].message.startsWith("question 1:"));
    QSignalSpy changed(&d, &BankDocument::questionChanged);
    BankQuestion q = d.question(0);
    q.answers[2] = "third";
    d.edit(0, BankField::Answer3, q);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(d.allFindings().isEmpty());

    // Further sources (the window's text fit, say) are asked for every question.
    d.addFindingSource([](const BankQuestion& q, int number) {
        return q.question.size() > 4 ? QList<BankFinding>{{0, number, BankField::Question, "too long"}}
                                     : QList<BankFinding>{};
    });
    EXPECT_EQ(d.allFindings().size(), 1);
    EXPECT_EQ(d.allFindings()[0].question, 1);
}

TEST(BankDocument, OpenEditSaveReopen)
{
    TestFolder folder;
    folder.write("CLIP.MP3", "");
    // A plain bank with a damaged tail: what can be read opens, the rest is a finding.
    folder.write("DATANON.ASC", crlfLines({"Header", "Second", "2", "0", "1", "CLIP.MP3 the tune", "Q1", "a", "b",
                                           "''' 1", "1", "0", "2", "", "Q2", "c", "d", "''' 2", "stray"}));
    BankDocument d;
    d.open(folder.file("DATANON.ASC"));
    EXPECT_EQ(d.openedFormat(), BankFormat::Plain);
    EXPECT_EQ(texts(d), (QStringList{"Q1", "Q2"}));
    EXPECT_EQ(d.question(0).clip, "CLIP.MP3");
    EXPECT_TRUE(d.findings(0).isEmpty());
    ASSERT_EQ(d.fileFindings().size(), 1);
    EXPECT_EQ(d.fileFindings()[0].line, 19);
    EXPECT_FALSE(d.isModified());

    BankQuestion q = d.question(1);
    q.extra = "Told you";
    q.extraAnswer = 2;
    d.edit(1, BankField::Extra, q);
    d.save(folder.file("DATA.ASC"), folder.file("PLAIN.ASC"));
    EXPECT_FALSE(d.isModified());
    EXPECT_TRUE(d.fileFindings().isEmpty());

    // The author's header lines and clip comment stay as written; answers 3 and 4 stay blank lines.
    const QByteArray plain = crlfLines({"Header", "Second", "2", "0", "1", "CLIP.MP3 the tune", "Q1", "a", "b", "''' 1",
                                        "1", "2", "2", "", "Q2", "c", "d", "", "", "Told you", "''' 2"});
    EXPECT_EQ(folder.read("PLAIN.ASC"), plain);
    BankDocument again;
    again.open(folder.file("DATA.ASC"));
    EXPECT_EQ(again.openedFormat(), BankFormat::Coded);
    EXPECT_EQ(again.bank(), d.bank());
    again.open(folder.file("PLAIN.ASC"));
    EXPECT_EQ(again.bank(), d.bank());
    again.save(folder.file("AGAIN.ASC"), folder.file("AGAIN.TXT"));
    EXPECT_EQ(folder.read("AGAIN.ASC"), folder.read("DATA.ASC"));
    EXPECT_EQ(folder.read("AGAIN.TXT"), plain);

    // A bank the game cannot play is refused: the old file stays, and so do the changes.
    const QByteArray saved = folder.read("DATA.ASC");
    q = d.question(0);
    q.rightAnswer = 4;
    d.edit(0, BankField::RightAnswer, q);
    const QString error = errorOf([&] { d.save(folder.file("DATA.ASC")); });
    EXPECT_TRUE(error.contains("question 1: the right answer 4")) << error.toStdString();
    EXPECT_EQ(folder.read("DATA.ASC"), saved);
    EXPECT_TRUE(d.isModified());
}

TEST(BankDocument, ADraggedQuestionLandsWhereItIsDropped)
{
    // Drop rows count the dragged question still in its old place; -1 is a drop on no row.
    const std::tuple<int, int, QString> drops[] = {
        {0, 3, "B C A D"}, {3, 0, "D A B C"}, {1, 2, "A B C D"}, {0, -1, "B C D A"}, {2, 1, "A C B D"}};
    for (const auto& [from, dropRow, expected] : drops) {
        BankDocument d;
        d.newBank();
        for (const char* text : {"A", "B", "C", "D"})
            d.insert(d.count(), question(text));
        std::unique_ptr<QMimeData> dragged(d.mimeData({d.index(from)}));
        EXPECT_FALSE(d.dropMimeData(dragged.get(), Qt::MoveAction, dropRow, 0, {}));  // the view removes nothing
        EXPECT_EQ(texts(d).join(' '), expected) << from << " -> " << dropRow;
    }
}
