// The editor's window on the Xvfb display, driven as an author drives it: keys and mouse clicks
// through QTest write a two-question bank and save it. The saved bank is what the e2e script
// then gives to the real game (QUORVEL_EDITOR_BANK names where to save it). The same script
// drives the game the editor's Play starts (QUORVEL_EDITOR_PLAY).
#include "questions/BankFile.h"
#include "editor/EditorWindow.h"
#include "editor/FindingsPanel.h"
#include "editor/PreviewPanel.h"
#include "editor/QuestionForm.h"
#include "tests/support/TestFolder.h"

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// How long the findings and the preview may take to catch up after a pause; a loaded machine
// may need seconds where an idle one needs a fraction of one.
constexpr int CatchUpMs = 60000;

void type(const QString& text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
}

void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), static_cast<Qt::Key>(key), modifiers);
}

// Fills the form of the selected question from its text field on: question, answers, with Tab
// between them as the author moves on.
void typeQuestion(const QString& question, const QStringList& answers)
{
    type(question);
    for (const QString& answer : answers) {
        key(Qt::Key_Tab);
        type(answer);
    }
}

class EditorWindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        bank = qEnvironmentVariable("QUORVEL_EDITOR_BANK", folder.file("DATA.ASC"));
        window.openPath(bank);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    TestFolder folder;
    QString bank;
    EditorWindow window;
};

} // namespace

TEST_F(EditorWindowTest, WritesATwoQuestionBankWithKeysAndMouse)
{
    QTest::mouseClick(window.addButton, Qt::LeftButton);
    ASSERT_EQ(QApplication::focusWidget(), window.form->question);
    typeQuestion("Which colour is Delvo's scooter?", {"Teal", "Orange", "Mauve"});
    key(Qt::Key_R, Qt::AltModifier);  // the right answer's label
    ASSERT_EQ(QApplication::focusWidget(), window.form->rightAnswer);
    key(Qt::Key_Down);                // answer 2

    key(Qt::Key_Return, Qt::ControlModifier);  // a new question after it
    typeQuestion("How many Quorvels are there?", {"Three", "Four"});
    key(Qt::Key_K, Qt::AltModifier);
    type("There were five once");
    key(Qt::Key_S, Qt::AltModifier);
    key(Qt::Key_Down);  // the remark shows for answer 1

    // A duplicate, undone from the list; then the second question moves up and back.
    key(Qt::Key_Q, Qt::AltModifier);
    ASSERT_EQ(QApplication::focusWidget(), window.list);
    key(Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(window.document().count(), 3);
    key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(window.document().count(), 2);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(window.document().question(0).question, "How many Quorvels are there?");
    QTest::mouseClick(window.downButton, Qt::LeftButton);
    EXPECT_EQ(window.document().question(1).question, "How many Quorvels are there?");

    // The findings panel and the preview catch up once the author pauses.
    QTRY_VERIFY_WITH_TIMEOUT(!window.preview->picture().isNull(), CatchUpMs);
    EXPECT_EQ(window.findings->count(), 0);
    EXPECT_EQ(window.preview->picture().size(), QSize(666, 384));  // the quiz window at 1024 x 768

    key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_FALSE(window.isWindowModified());
    BankFormat format{};
    const BankFileReport saved = openBank(bank, format);
    EXPECT_EQ(format, BankFormat::Coded);
    ASSERT_EQ(saved.questions.size(), 2);
    EXPECT_TRUE(saved.structure.isEmpty());
    EXPECT_EQ(saved.questions[0].question, "Which colour is Delvo's scooter?");
    EXPECT_EQ(saved.questions[0].answers, (std::array<QString, 4>{"Teal", "Orange", "Mauve", ""}));
    EXPECT_EQ(saved.questions[0].rightAnswer, 2);
    EXPECT_EQ(saved.questions[1].extra, "There were five once");
    EXPECT_EQ(saved.questions[1].extraAnswer, 1);
    EXPECT_EQ(saved.questions[1].rightAnswer, 1);
}

// Answer 2 of question 1 is changed and not saved; F5 plays the bank in the real game, which
// the e2e script answers and closes; the status bar then says how the game ended.
TEST_F(EditorWindowTest, PlaysTheBankAsItIsNow)
{
    if (!qEnvironmentVariableIsSet("QUORVEL_EDITOR_PLAY"))
        GTEST_SKIP() << "the editor e2e script drives the game";
    window.selectRow(0);
    window.form->answers[1]->setFocus();
    window.form->answers[1]->selectAll();
    type(qEnvironmentVariable("QUORVEL_EDITOR_PLAY"));
    key(Qt::Key_F5);
    EXPECT_TRUE(window.statusBar()->currentMessage().startsWith("The game plays")) << window.statusBar()->currentMessage().toStdString();
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.statusBar()->currentMessage().startsWith("The game ended"); }, 120000));
    EXPECT_EQ(window.statusBar()->currentMessage(), "The game ended");
    EXPECT_TRUE(window.document().isModified());
}

TEST_F(EditorWindowTest, AFindingLeadsToItsFieldAndEveryControlHasAName)
{
    QTest::mouseClick(window.addButton, Qt::LeftButton);
    typeQuestion("Tilde ~ here", {"a", "b"});
    QTRY_COMPARE_WITH_TIMEOUT(window.findings->count(), 1, CatchUpMs);
    EXPECT_TRUE(window.findings->item(0)->text().contains("character code 126")) << window.findings->item(0)->text().toStdString();
    window.list->setFocus();
    QListWidgetItem* finding = window.findings->item(0);
    QTest::mouseClick(window.findings->viewport(), Qt::LeftButton, {},
                      window.findings->visualItemRect(finding).center());
    EXPECT_EQ(QApplication::focusWidget(), window.form->question);
    EXPECT_FALSE(window.form->question->toolTip().isEmpty());

    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->focusPolicy() == Qt::NoFocus || qobject_cast<QAbstractScrollArea*>(widget->parentWidget()))
            continue;
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        ASSERT_NE(accessible, nullptr);
        EXPECT_FALSE(accessible->text(QAccessible::Name).isEmpty()) << widget->metaObject()->className();
    }
}

TEST_F(EditorWindowTest, ClosingWithUnsavedChangesAsksFirst)
{
    QTest::mouseClick(window.addButton, Qt::LeftButton);
    type("Unsaved?");
    // The question box comes up modal; the author answers Cancel, then (a second time) Discard.
    for (const auto button : {QMessageBox::Cancel, QMessageBox::Discard}) {
        QTimer::singleShot(0, [button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(button)->click();
        });
        window.close();
        EXPECT_EQ(window.isVisible(), button == QMessageBox::Cancel);
    }
    EXPECT_FALSE(QFile::exists(bank));
}
