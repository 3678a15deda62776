// The control's properties, events and stored design: every write tells the host, the
// events carry the surface's own arguments, and a design saved as text loads back whole.
#include "TranspikFixture.h"

#include "PictureStore.h"
#include "PropertyBag.h"
#include "RunTimeError.h"
#include "support/TestFolder.h"

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

TEST_F(Persistence, SavedDesignLoadsBackAllNineteenProperties)
{
    TestFolder folder;
    titleLikeImage(40, 20).save(folder.file("art.png"));
    transpik saved(*form);
    saved.setBackColor(0x00123456);
    saved.setForeColor(0x00654321);
    saved.setEnabled(false);
    QFont font(QStringLiteral("Liberation Serif"));
    font.setPointSizeF(12.5);
    font.setWeight(QFont::Bold);
    font.setItalic(true);
    saved.setFont(font);
    saved.setBackStyle(1);
    saved.setBorderStyle(1);
    saved.setAutoRedraw(true);
    saved.setCurrentX(1.5f);
    saved.setCurrentY(-2.25f);
    saved.setMaskColor(pureGreen);
    saved.setPicture(bag::loadPicture(folder.file("art.png")));
    saved.setScaleWidth(2010.0001f);
    saved.setScaleHeight(99.5f);
    saved.setScaleLeft(3);
    saved.setScaleTop(4);
    saved.setdrawMode(7);
    saved.setDrawStyle(2);
    saved.setDrawWidth(3);

    const QString text = stored(saved);
    EXPECT_EQ(text.count(u'\n'), 19);  // every one differs from its default
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
    c.setScaleMode(3);
    c.setdrawMode(4);
    QStringList notices;
    c.PropertyChanged = [&](const QString& key) { notices << key; };

    c.UserControl_ReadProperties(PropertyBag());

    EXPECT_EQ(notices, QStringList{QStringLiteral("Picture")});
    EXPECT_EQ(c.BackColor(), 0x00FFFFFFu);
    EXPECT_EQ(c.ForeColor(), 0x80000012u);
    EXPECT_TRUE(c.Enabled());
    EXPECT_EQ(c.Font(), form->Font());
    EXPECT_EQ(c.BackStyle(), 0);
    EXPECT_EQ(c.BorderStyle(), 0);
    EXPECT_FALSE(c.AutoRedraw());
    EXPECT_EQ(c.CurrentX(), 0);
    EXPECT_EQ(c.CurrentY(), 0);
    EXPECT_EQ(c.MaskColor(), 0x00FFFFFFu);
    EXPECT_TRUE(c.Picture().isEmpty());
    EXPECT_TRUE(c.extender().MaskPicture().isEmpty());
    EXPECT_EQ(c.ScaleMode(), 0);  // a stored scale width or height makes it user-defined
    EXPECT_EQ(c.ScaleWidth(), 2010);
    EXPECT_EQ(c.ScaleHeight(), 1845);
    EXPECT_EQ(c.ScaleLeft(), 0);
    EXPECT_EQ(c.ScaleTop(), 0);
    EXPECT_EQ(c.drawMode(), 13);
    EXPECT_EQ(c.DrawStyle(), 0);
    EXPECT_EQ(c.DrawWidth(), 1);
    // An empty picture keeps the size the control had.
    EXPECT_EQ(c.extender().Width(), 70);
    EXPECT_EQ(c.extender().Height(), 30);
}

TEST_F(Persistence, Pic1IsSizedToItsArtworkBeforeItsStoredScale)
{
    transpik pic1(*form);
    pic1.UserControl_ReadProperties(PropertyBag::load(QStringLiteral(":/designs/Pic1.txt")));
    // 15849 x 3360 HIMETRIC are 599.02 x 126.99 pixels: 599 x 127 on the screen.
    EXPECT_EQ(pic1.extender().geometry().size(), QSize(599, 127));
    EXPECT_EQ(pic1.MaskColor(), pureGreen);
    EXPECT_EQ(pic1.BackStyle(), 0);
    EXPECT_EQ(pic1.ScaleMode(), 0);
    EXPECT_EQ(pic1.ScaleWidth(), 2010.0001f);
    EXPECT_EQ(pic1.Font().family(), QStringLiteral("MS Sans Serif"));
    EXPECT_EQ(pic1.Font().pointSizeF(), 8.25);
    EXPECT_EQ(pic1.Font().weight(), QFont::Normal);
    EXPECT_EQ(pic1.Picture().widthPixels(), 599);
}

TEST_F(Persistence, KeysMatchWithoutLetterCaseAndBadValuesNameTheirLine)
{
    const PropertyBag bag = PropertyBag::fromText(
        QStringLiteral("# design\nBACKCOLOR = 0x000000FF\n\ndrawwidth = 4\nScaleTop = -1.5\n"), QStringLiteral("a.txt"));
    transpik c(*form);
    c.UserControl_ReadProperties(bag);
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

TEST_F(Persistence, TextFormatKeepsEveryValueType)
{
    PropertyBag bag;
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(8.25);
    font.setUnderline(true);
    bag.WriteProperty(QStringLiteral("Colour"), int32_t(0x80000012), int32_t(0));
    bag.WriteProperty(QStringLiteral("Width"), 2010.0001f, int32_t(2010));
    bag.WriteProperty(QStringLiteral("Whole"), 2010.0f, int32_t(2010));  // equal to its default: left out
    bag.WriteProperty(QStringLiteral("Flag"), false, true);
    bag.WriteProperty(QStringLiteral("Caption"), QStringLiteral("say \"hi\", twice"), QString());
    bag.WriteProperty(QStringLiteral("Font"), font, QFont());
    bag.WriteProperty(QStringLiteral("Art"), platform::Picture::fromImage(titleLikeImage(5, 4)), platform::Picture());

    const PropertyBag back = PropertyBag::fromText(bag.toText(), QStringLiteral("t.txt"));
    EXPECT_FALSE(back.contains(QStringLiteral("whole")));
    EXPECT_EQ(std::get<int32_t>(back.ReadProperty(QStringLiteral("colour"), 0)), int32_t(0x80000012));
    EXPECT_EQ(std::get<float>(back.ReadProperty(QStringLiteral("width"), 0)), 2010.0001f);
    EXPECT_EQ(std::get<bool>(back.ReadProperty(QStringLiteral("flag"), true)), false);
    EXPECT_EQ(std::get<QString>(back.ReadProperty(QStringLiteral("caption"), 0)), QStringLiteral("say \"hi\", twice"));
    EXPECT_EQ(std::get<QFont>(back.ReadProperty(QStringLiteral("font"), 0)), font);
    // A picture that came from no file travels as its pixels.
    const auto art = std::get<platform::Picture>(back.ReadProperty(QStringLiteral("art"), 0));
    EXPECT_EQ(art.image(), titleLikeImage(5, 4));
}

TEST_F(Persistence, EveryWriteTellsTheHostEvenWithTheSameValue)
{
    transpik c(*form);
    QStringList notices;
    c.PropertyChanged = [&](const QString& key) { notices << key; };
    for (int round = 0; round < 2; ++round) {
        c.setBackColor(0x00FF0000);
        c.setForeColor(0x00FF0000);
        c.setEnabled(true);
        c.setFont(form->Font());
        c.setBackStyle(1);
        c.setBorderStyle(0);
        c.setAutoRedraw(false);
        c.setCurrentX(1);
        c.setCurrentY(1);
        c.setMaskColor(pureGreen);
        c.setPicture(platform::Picture());
        c.setScaleMode(3);
        c.setScaleWidth(10);
        c.setScaleHeight(10);
        c.setScaleLeft(0);
        c.setScaleTop(0);
        c.setdrawMode(13);
        c.setDrawStyle(0);
        c.setDrawWidth(1);
    }
    const QStringList once = {"BackColor", "ForeColor", "Enabled", "Font", "BackStyle", "BorderStyle", "AutoRedraw",
                              "CurrentX", "CurrentY", "MaskColor", "Picture", "ScaleMode", "ScaleWidth",
                              "ScaleHeight", "ScaleLeft", "ScaleTop", "DrawMode", "DrawStyle", "DrawWidth"};
    EXPECT_EQ(notices, once + once);
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
