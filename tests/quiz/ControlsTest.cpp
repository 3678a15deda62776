// The controls of the game's windows: fractional geometry, plain-text labels that size
// themselves to their text, buttons and their keys, pictures, fonts, the close request, and
// what a screen reader finds of them.
#include "platform/CommandButton.h"
#include "platform/Fonts.h"
#include "platform/FormWindow.h"
#include "platform/ImageBox.h"
#include "platform/Label.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace platform;

TEST(WindowControls, KeepFractionalGeometryAndGiveQtTheRoundedRectangle)
{
    QWidget parent;
    CommandButton button(&parent, QStringLiteral("Close"));
    button.Move(219.75, 243, 80.5, 26);
    EXPECT_DOUBLE_EQ(button.Left(), 219.75);
    EXPECT_DOUBLE_EQ(button.Width(), 80.5);
    // Halves go to the even neighbour: 80.5 -> 80.
    EXPECT_EQ(button.geometry(), QRect(220, 243, 80, 26));
}

TEST(WindowControls, LabelShowsBankTextAsPlainTextWithCarriageReturnsAsLineBreaks)
{
    QWidget parent;
    Label label(&parent);
    label.setFont(gameFont(QStringLiteral("Times New Roman"), 12, true));
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("<b>Rock &amp; Roll</b> & <i>more</i>"));
    EXPECT_EQ(label.textFormat(), Qt::PlainText);
    EXPECT_EQ(label.text(), QStringLiteral("<b>Rock &amp; Roll</b> & <i>more</i>"));
    const QFontMetricsF metrics(label.font());
    EXPECT_NEAR(label.Width(), metrics.horizontalAdvance(label.text()), 0.01);

    label.setCaption(QStringLiteral("one\r\rthree\r\nfour"));
    EXPECT_EQ(label.text(), QStringLiteral("one\n\nthree\nfour"));
    EXPECT_GT(label.Height(), 3.5 * metrics.height());
    const double fourLines = label.Height();
    label.setFontSize(24);  // an auto-sized label follows its font
    EXPECT_GT(label.Height(), fourLines * 1.8);
}

TEST(WindowControls, FontsUseLiberationWhereTheWindowsFacesAreMissing)
{
    const QFont serif = gameFont(QStringLiteral("Times New Roman"), 18, true);
    const QFont sans = gameFont(QStringLiteral("MS Sans Serif"), 12, true, true);
    EXPECT_EQ(QFontInfo(serif).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(QFontInfo(sans).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(QFontInfo(sans).italic());
    EXPECT_TRUE(QFontInfo(serif).bold());
}

TEST(WindowControls, ImageStretchesOrTakesItsPicturesSize)
{
    QWidget parent;
    QPixmap picture(80, 107);
    picture.fill(Qt::red);
    for (const bool stretch : {false, true}) {
        ImageBox image(&parent);
        image.setStretch(stretch);
        image.Move(10, 10, 128, 171.264);
        image.setPicture(picture);
        EXPECT_DOUBLE_EQ(image.Height(), stretch ? 171.264 : 107);
        const QImage shown = image.grab().toImage();
        EXPECT_EQ(shown.size(), stretch ? QSize(128, 171) : QSize(80, 107));
        EXPECT_EQ(shown.pixelColor(shown.width() - 1, shown.height() - 1), QColor(Qt::red));
    }
}

namespace {

// A window that refuses the first close request, as the quiz does with questions left.
class RefusingOnce : public FormWindow {
public:
    RefusingOnce() : FormWindow(QStringLiteral("Test")) {}
    int requests = 0, unloads = 0;
    QList<int> keys;

protected:
    void Form_QueryUnload(bool& cancel) override { cancel = ++requests == 1; }
    void Form_Unload() override { ++unloads; }
    void Form_KeyPress(int16_t& keyAscii) override { keys << keyAscii; }
};

} // namespace

TEST(WindowControls, FormWindowPreviewsKeysAndRoutesEveryCloseThroughOneRequest)
{
    RefusingOnce form;
    CommandButton button(&form, QStringLiteral("Close"));
    QSignalSpy clicks(&button, &QPushButton::clicked);
    form.show();
    button.setFocus();
    for (const Qt::Key key : {Qt::Key_A, Qt::Key_Space, Qt::Key_Return})
        QTest::keyClick(&button, key);
    // Each key reaches the window once, and the focused button still takes Space and Enter.
    EXPECT_EQ(form.keys, (QList<int>{'a', ' ', '\r'}));
    EXPECT_EQ(clicks.count(), 2);

    EXPECT_FALSE(form.RequestClose());  // the title-bar close box goes the same way (close())
    EXPECT_TRUE(form.isVisible());
    EXPECT_TRUE(form.RequestClose());
    EXPECT_FALSE(form.isVisible());
    EXPECT_TRUE(form.RequestClose());  // an unloaded window unloads only once
    EXPECT_EQ(form.unloads, 1);
}

TEST(WindowControls, AScreenReaderFindsFramesImagesAndOnlyTheLabelsOnShow)
{
    FormWindow window(QStringLiteral("A window"));
    Label label(&window);
    Label alert(&window);
    alert.setAlert(true);
    ImageBox image(&window);
    image.setAccessibleName(QStringLiteral("Delvo, neutral"));
    window.show();
    const auto face = [](QObject* object) { return QAccessible::queryAccessibleInterface(object); };
    EXPECT_EQ(face(&window)->role(), QAccessible::Window);
    EXPECT_EQ(face(&window)->text(QAccessible::Name), QStringLiteral("A window"));
    EXPECT_EQ(face(&image)->role(), QAccessible::Graphic);
    EXPECT_EQ(face(&image)->text(QAccessible::Name), QStringLiteral("Delvo, neutral"));
    EXPECT_EQ(face(&label)->role(), QAccessible::StaticText);
    EXPECT_EQ(face(&alert)->role(), QAccessible::AlertMessage);

    // The name is the text as shown; a hidden label keeps its caption from the screen reader.
    label.setCaption(QStringLiteral("one\rtwo"));
    EXPECT_EQ(face(&label)->text(QAccessible::Name), QStringLiteral("one\ntwo"));
    EXPECT_FALSE(face(&label)->state().invisible);
    label.hide();
    EXPECT_TRUE(face(&label)->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(face(&label)->state().invisible);
    label.show();

    // Emptied on show, the label leaves the screen reader's view, and comes back when filled.
    label.setCaption(QString());
    EXPECT_TRUE(face(&label)->state().invisible);
    label.setCaption(QStringLiteral("back"));
    EXPECT_FALSE(face(&label)->state().invisible);
}
