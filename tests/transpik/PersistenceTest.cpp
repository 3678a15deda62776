// The control's properties, events and stored design: every write tells the host, the
// events carry the surface's own arguments, and a design saved as text loads back whole.
#include "tests/transpik/TranspikFixture.h"

#include "transpik/PictureStore.h"
#include "transpik/PropertyBag.h"
#include "core/RunTimeError.h"
#include "tests/support/TestFolder.h"

#include <QtTest/QTest>

namespace {

// The control's 19 stored properties as the storage format writes them (defaults left out).
QString stored(const transpik& control)
{
    PropertyBag bag;
    control.UserControl_WriteProperties(bag);
    return bag.toText();
}

} // namespace

using Persistence = TranspikTest;

TEST_F(Persistence, SavedDesignLoadsBackAllNineteenPropertiesAndEveryWriteNotifies)
{
    TestFolder folder;
    titleLikeImage(40, 20).save(folder.file("art.png"));
    transpik saved(*form);
    QStringList notices;
    saved.PropertyChanged = [&](const QString& key) { notices << key; };
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(12.5);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    // Twice: a write of the value the property already has notifies too.
    for (int round = 0; round < 2; ++round) {
        saved.setBackColor(0x00123456);
        saved.setForeColor(0x00654321);
        saved.setEnabled(false);
        saved.setFont(font);
        saved.setBackStyle(1);
        saved.setBorderStyle(1);
        saved.setAutoRedraw(true);
        saved.setCurrentX(1.5f);
        saved.setCurrentY(-2.25f);
        saved.setMaskColor(pureGreen);
        saved.setPicture(bag::loadPicture(folder.file("art.png")));
        saved.setScaleMode(3);
        saved.setScaleWidth(2010.0001f);
        saved.setScaleHeight(99.5f);
        saved.setScaleLeft(3);
        saved.setScaleTop(4);
        saved.setdrawMode(7);
        saved.setDrawStyle(2);
        saved.setDrawWidth(3);
    }
    const QStringList once = {"BackColor", "ForeColor", "Enabled", "Font", "BackStyle", "BorderStyle",
                              "AutoRedraw", "CurrentX", "CurrentY", "MaskColor", "Picture", "ScaleMode", "ScaleWidth",
                              "ScaleHeight", "ScaleLeft", "ScaleTop", "DrawMode", "DrawStyle", "DrawWidth"};
    EXPECT_EQ(notices, once + once);

    const QString text = stored(saved);
    EXPECT_EQ(text.count(u'\n'), 19);  // every one differs from its default (ScaleMode became 0)
    // The picture is stored by its reference, not by its pixels.
    EXPECT_TRUE(text.contains(QStringLiteral("Picture = picture(\"%1\")").arg(folder.file("art.png"))));
    PropertyBag out;
    saved.UserControl_WriteProperties(out);
    out.save(folder.file("design.txt"));
    transpik loaded(*form);
    loaded.UserControl_ReadProperties(PropertyBag::load(folder.file("design.txt")));
    EXPECT_EQ(stored(loaded), text);
    EXPECT_TRUE(loaded.Picture() == saved.Picture());
}

TEST_F(Persistence, EmptyBagGivesTheDefaultsAndOnlyThePictureNotice)
{
    transpik c(*form);
    c.setPicture(platform::Picture::fromImage(titleLikeImage(10, 10)));
    c.extender().Move(5, 6, 70, 30);
    c.setBackColor(0x00000080);
    c.setdrawMode(4);
    QStringList notices;
    c.PropertyChanged = [&](const QString& key) { notices << key; };

    c.UserControl_ReadProperties(PropertyBag());

    EXPECT_EQ(notices, QStringList{QStringLiteral("Picture")});
    // Everything else at the default it is written with; a stored scale makes the mode user-defined.
    EXPECT_EQ(stored(c), QStringLiteral("ScaleMode = 0\n"));
    EXPECT_EQ(c.BackColor(), 0x00FFFFFFu);
    EXPECT_EQ(c.ForeColor(), 0x80000012u);
    EXPECT_EQ(c.Font(), form->Font());
    EXPECT_EQ(c.ScaleWidth(), 2010);
    EXPECT_EQ(c.ScaleHeight(), 1845);
    EXPECT_EQ(c.drawMode(), 13);
    EXPECT_TRUE(c.extender().MaskPicture().isEmpty());
    // An empty picture keeps the size the control had.
    EXPECT_EQ(c.extender().geometry().size(), QSize(70, 30));
}

TEST_F(Persistence, NewInstanceTakesOnlyTheContainersFont)
{
    QFont formFont(QStringLiteral("Liberation Mono"));
    formFont.setPointSizeF(14);
    form->setFont(formFont);
    transpik c(*form);
    const QString before = stored(c);
    QStringList notices;
    c.PropertyChanged = [&](const QString& key) { notices << key; };
    c.UserControl_InitProperties();
    EXPECT_EQ(c.Font(), formFont);
    EXPECT_TRUE(notices.isEmpty());
    EXPECT_EQ(stored(c), before);
}

TEST_F(Persistence, Pic1IsSizedToItsArtworkBeforeItsStoredScale)
{
    transpik pic1(*form);
    pic1.UserControl_ReadProperties(PropertyBag::load(QStringLiteral(":/designs/Pic1.txt")));
    // 15849 x 3360 HIMETRIC are 599.02 x 126.99 pixels: 599 x 127 on the screen.
    EXPECT_EQ(pic1.extender().geometry().size(), QSize(599, 127));
    EXPECT_EQ(pic1.MaskColor(), pureGreen);
    EXPECT_EQ(pic1.ScaleMode(), 0);
    EXPECT_EQ(pic1.ScaleWidth(), 2010.0001f);
    EXPECT_EQ(pic1.Font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(pic1.Font().pointSizeF(), 8.25);
}

TEST_F(Persistence, KeysMatchWithoutLetterCaseAndBadValuesNameTheirLine)
{
    transpik c(*form);
    c.UserControl_ReadProperties(PropertyBag::fromText(
        QStringLiteral("# design\nBACKCOLOR = 0x000000FF\n\ndrawwidth = 4\nScaleTop = -1.5\n"), QStringLiteral("a.txt")));
    EXPECT_EQ(c.BackColor(), 0x000000FFu);
    EXPECT_EQ(c.DrawWidth(), 4);
    EXPECT_EQ(c.ScaleTop(), -1.5f);

    const auto failure = [&](const QString& text) {
        try {
            c.UserControl_ReadProperties(PropertyBag::fromText(text, QStringLiteral("b.txt")));
        } catch (const RunTimeError& e) {
            return e.message();
        }
        return QString();
    };
    EXPECT_EQ(failure(QStringLiteral("\nmaskcolor = \"green\"\n")), QStringLiteral("b.txt:2: Type mismatch"));
    EXPECT_EQ(failure(QStringLiteral("backstyle = 40000\n")), QStringLiteral("b.txt:1: Overflow"));
    EXPECT_EQ(failure(QStringLiteral("x\n")), QStringLiteral("b.txt:1: Expected \"key = value\""));
    EXPECT_TRUE(failure(QStringLiteral("picture = picture(\"/nowhere.bmp\")\n")).contains(QStringLiteral("/nowhere.bmp")));
}

TEST_F(Persistence, TextFormatQuotesTextAndCarriesAFilelessPictureAsItsPixels)
{
    PropertyBag bag;
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("say \"hi\", twice"), QString());
    bag.WriteProperty(QStringLiteral("Art"), platform::Picture::fromImage(titleLikeImage(5, 4)), platform::Picture());
    const PropertyBag back = PropertyBag::fromText(bag.toText(), QStringLiteral("t.txt"));
    EXPECT_EQ(std::get<QString>(back.ReadProperty(QStringLiteral("caption"), 0)), QStringLiteral("say \"hi\", twice"));
    EXPECT_EQ(std::get<platform::Picture>(back.ReadProperty(QStringLiteral("art"), 0)).image(), titleLikeImage(5, 4));
}

TEST_F(Persistence, HandlesAndEventsAreTheSurfaces)
{
    transpik c(*form);
    EXPECT_FALSE(c.HasDC());
    EXPECT_TRUE(platform::gdi::isValid(c.hDC()));
    EXPECT_EQ(c.hwnd(), c.extender().hwnd());

    // A host handler that swallows the key leaves 0 in the surface's own argument.
    c.Events.KeyPress = [](int16_t& KeyAscii) { KeyAscii = 0; };
    int16_t seenCode = 0;
    c.Events.KeyDown = [&](int16_t& KeyCode, int16_t&) { seenCode = KeyCode; KeyCode = 99; };
    c.extender().setVisible(true);
    QTest::keyPress(&c.extender(), Qt::Key_A);
    EXPECT_EQ(seenCode, 65);
    EXPECT_EQ(c.extender().lastKeyAscii(), 0);
    EXPECT_EQ(c.extender().lastKeyCode(), 99);

    int paints = 0;
    c.Events.Paint = [&] { ++paints; };
    c.Refresh();
    EXPECT_EQ(paints, 1);
}
