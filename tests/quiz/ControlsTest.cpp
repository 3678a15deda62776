// The controls of the game's windows: fractional geometry, plain-text labels that size
// themselves to their text, buttons and their keys, pictures, fonts and the close request.
#include "CommandButton.h"
#include "Fonts.h"
#include "FormWindow.h"
#include "ImageBox.h"
#include "Label.h"

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
    // Halves go to the even neighbour: 80.5 -> 80, 2.5 -> 2.
    EXPECT_EQ(button.geometry(), QRect(220, 243, 80, 26));
    button.setLeft(2.5);
    EXPECT_EQ(button.geometry().x(), 2);
    EXPECT_DOUBLE_EQ(button.Top(), 243);
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
    EXPECT_EQ(label.Caption(), QStringLiteral("one\r\rthree\r\nfour"));  // kept as given
    EXPECT_EQ(label.text(), QStringLiteral("one\n\nthree\nfour"));
    EXPECT_NEAR(label.Height(), metrics.size(0, label.text()).height(), 0.01);
    EXPECT_GT(label.Height(), 3.5 * metrics.height());
}

TEST(WindowControls, AutoSizedLabelFollowsItsFontAndWrapsAtItsWidth)
{
    QWidget parent;
    Label label(&parent);
    label.setAutoSize(true);
    label.setCaption(QStringLiteral("Answer 1"));
    const double small = label.Height();
    label.setFontSize(24);
    EXPECT_GT(label.Height(), small * 1.8);

    Label wrapped(&parent);
    wrapped.setAutoSize(true);
    wrapped.setWordWrap(true);
    wrapped.setWidth(120);
    wrapped.setCaption(QStringLiteral("short"));
    const double oneLine = wrapped.Height();
    wrapped.setCaption(QStringLiteral("a question long enough to wrap over several lines of this narrow label"));
    EXPECT_DOUBLE_EQ(wrapped.Width(), 120);  // keeps its width
    EXPECT_GT(wrapped.Height(), 3 * oneLine);
    wrapped.setWidth(2000);  // a wider label takes fewer lines (the q may need a pixel more)
    EXPECT_NEAR(wrapped.Height(), oneLine, 1.0);
}

TEST(WindowControls, FontsUseLiberationWhereTheWindowsFacesAreMissing)
{
    const QFont serif = gameFont(QStringLiteral("Times New Roman"), 18, true);
    const QFont sans = gameFont(QStringLiteral("MS Sans Serif"), 12, true, true);
    EXPECT_EQ(QFontInfo(serif).family(), QStringLiteral("Liberation Serif"));
    EXPECT_EQ(QFontInfo(sans).family(), QStringLiteral("Liberation Sans"));
    EXPECT_TRUE(QFontInfo(sans).italic());
    EXPECT_TRUE(QFontInfo(serif).bold());
    EXPECT_DOUBLE_EQ(serif.pointSizeF(), 18);
}

TEST(WindowControls, ImageStretchesOrTakesItsPicturesSize)
{
    QWidget parent;
    QPixmap picture(80, 107);
    picture.fill(Qt::red);
    ImageBox own(&parent);
    own.Move(10, 10, 128, 171.264);
    own.setPicture(picture);
    EXPECT_DOUBLE_EQ(own.Width(), 80);
    EXPECT_DOUBLE_EQ(own.Height(), 107);

    ImageBox stretched(&parent);
    stretched.setStretch(true);
    stretched.Move(10, 10, 128, 171.264);
    stretched.setPicture(picture);
    EXPECT_DOUBLE_EQ(stretched.Height(), 171.264);
    EXPECT_EQ(stretched.Picture().cacheKey(), picture.cacheKey());
    const QImage shown = stretched.grab().toImage();
    EXPECT_EQ(shown.size(), QSize(128, 171));
    EXPECT_EQ(shown.pixelColor(127, 170), QColor(Qt::red));
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
    QTest::keyClick(&button, Qt::Key_A);
    QTest::keyClick(&button, Qt::Key_Space);
    QTest::keyClick(&button, Qt::Key_Return);
    // Each key reaches the window once, and the focused button still takes Space and Enter.
    EXPECT_EQ(form.keys, (QList<int>{'a', ' ', '\r'}));
    EXPECT_EQ(clicks.count(), 2);

    EXPECT_FALSE(form.RequestClose());  // the title-bar close box goes the same way (close())
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.unloads, 0);
    EXPECT_TRUE(form.RequestClose());
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.unloads, 1);
    EXPECT_TRUE(form.RequestClose());  // an unloaded window unloads only once
    EXPECT_EQ(form.unloads, 1);
}
