#include "transpik/transpik.h"

#include "transpik/PropertyBag.h"
#include "core/RunTimeError.h"

namespace {

using platform::Surface;

// Passes one notification of the surface on to the host's handler for the same event, with
// the surface's own argument variables.
template <typename... Args>
std::function<void(Args...)> passOn(std::function<void(Args...)> Surface::Handlers::*event, transpik* control)
{
    return [control, event](Args... args) {
        if (const auto& handler = control->Events.*event)
            handler(args...);
    };
}

// The default of each stored key: reading a key that is not stored gives it, and a value equal
// to it is not written. The 16-bit and the float properties have 16-bit integer defaults, as the
// keys were first saved; the fonts default to the host's.
namespace defaults {
constexpr int32_t BackColor = 0x00FFFFFF;
constexpr int32_t ForeColor = int32_t(0x80000012);  // system colour 18, button text
constexpr bool Enabled = true;
constexpr int16_t BackStyle = 0;
constexpr int16_t BorderStyle = 0;
constexpr bool AutoRedraw = false;
constexpr int16_t CurrentX = 0;
constexpr int16_t CurrentY = 0;
constexpr int32_t MaskColor = 0x00FFFFFF;
constexpr int16_t ScaleMode = 1;
constexpr int16_t ScaleWidth = 2010;
constexpr int16_t ScaleHeight = 1845;
constexpr int16_t ScaleLeft = 0;
constexpr int16_t ScaleTop = 0;
constexpr int16_t DrawMode = 13;
constexpr int16_t DrawStyle = 0;
constexpr int16_t DrawWidth = 1;
} // namespace defaults

int32_t asLong(uint32_t colour) { return int32_t(colour); }

// Reads one stored key with its typed default and converts it to the property's type; a value
// that does not convert names the line it was stored on.
class StoredValues {
public:
    explicit StoredValues(const PropertyBag& bag) : bag_(bag) {}

    int32_t Long(QStringView key, int32_t defaultValue) const { return bag::toLong(read(key, defaultValue), where(key)); }
    int16_t Integer(QStringView key, int16_t defaultValue) const
    {
        return bag::toInteger(read(key, int32_t(defaultValue)), where(key));
    }
    float Single(QStringView key, int16_t defaultValue) const
    {
        return bag::toSingle(read(key, int32_t(defaultValue)), where(key));
    }
    bool Boolean(QStringView key, bool defaultValue) const { return bag::toBoolean(read(key, defaultValue), where(key)); }
    QFont Font(QStringView key, const QFont& defaultValue) const { return bag::toFont(read(key, defaultValue), where(key)); }
    platform::Picture Picture(QStringView key) const { return bag::toPicture(read(key, platform::Picture()), where(key)); }

private:
    BagValue read(QStringView key, const BagValue& defaultValue) const
    {
        return bag_.ReadProperty(key.toString(), defaultValue);
    }
    bag::Place where(QStringView key) const { return bag_.placeOf(key.toString()); }

    const PropertyBag& bag_;
};

} // namespace

transpik::transpik(Surface& container)
    : surface_(new Surface(&container))
{
    connectEvents();
}

transpik::~transpik() { delete surface_.data(); }

void transpik::connectEvents()
{
    Surface::Handlers& h = surface_->handlers;
    h.Click = passOn(&Surface::Handlers::Click, this);
    h.DblClick = passOn(&Surface::Handlers::DblClick, this);
    h.KeyDown = passOn(&Surface::Handlers::KeyDown, this);
    h.KeyPress = passOn(&Surface::Handlers::KeyPress, this);
    h.KeyUp = passOn(&Surface::Handlers::KeyUp, this);
    h.MouseDown = passOn(&Surface::Handlers::MouseDown, this);
    h.MouseMove = passOn(&Surface::Handlers::MouseMove, this);
    h.MouseUp = passOn(&Surface::Handlers::MouseUp, this);
    // UserControl_Paint: the surface has painted itself; the control only tells the host.
    h.Paint = passOn(&Surface::Handlers::Paint, this);
}

Surface& transpik::container() const
{
    auto* form = qobject_cast<Surface*>(surface_->parentWidget());
    if (!form)
        throw RunTimeError(QStringLiteral("The transparent picture is not placed on a window"));
    return *form;
}

QFont transpik::Ambient_Font() const { return container().Font(); }

void transpik::notify(const QString& key)
{
    if (PropertyChanged)
        PropertyChanged(key);
}

uint32_t transpik::BackColor() const { return surface_->BackColor(); }
void transpik::setBackColor(uint32_t New_BackColor)
{
    surface_->setBackColor(New_BackColor);
    notify(QStringLiteral("BackColor"));
}

uint32_t transpik::ForeColor() const { return surface_->ForeColor(); }
void transpik::setForeColor(uint32_t New_ForeColor)
{
    surface_->setForeColor(New_ForeColor);
    notify(QStringLiteral("ForeColor"));
}

bool transpik::Enabled() const { return surface_->Enabled(); }
void transpik::setEnabled(bool New_Enabled)
{
    surface_->setEnabledProperty(New_Enabled);
    notify(QStringLiteral("Enabled"));
}

QFont transpik::Font() const { return surface_->Font(); }
void transpik::setFont(const QFont& New_Font)
{
    surface_->setFont(New_Font);
    notify(QStringLiteral("Font"));
}

int16_t transpik::BackStyle() const { return surface_->BackStyle(); }
void transpik::setBackStyle(int16_t New_BackStyle)
{
    surface_->setBackStyle(New_BackStyle);
    notify(QStringLiteral("BackStyle"));
}

int16_t transpik::BorderStyle() const { return surface_->BorderStyle(); }
void transpik::setBorderStyle(int16_t New_BorderStyle)
{
    surface_->setBorderStyle(New_BorderStyle);
    notify(QStringLiteral("BorderStyle"));
}

void transpik::Refresh() { surface_->Refresh(); }

bool transpik::AutoRedraw() const { return surface_->AutoRedraw(); }
void transpik::setAutoRedraw(bool New_AutoRedraw)
{
    surface_->setAutoRedraw(New_AutoRedraw);
    notify(QStringLiteral("AutoRedraw"));
}

float transpik::CurrentX() const { return surface_->CurrentX(); }
void transpik::setCurrentX(float New_CurrentX)
{
    surface_->setCurrentX(New_CurrentX);
    notify(QStringLiteral("CurrentX"));
}

float transpik::CurrentY() const { return surface_->CurrentY(); }
void transpik::setCurrentY(float New_CurrentY)
{
    surface_->setCurrentY(New_CurrentY);
    notify(QStringLiteral("CurrentY"));
}

platform::HDC transpik::hDC() const { return surface_->hDC(); }

platform::HWND transpik::hwnd() const { return surface_->hwnd(); }

uint32_t transpik::MaskColor() const { return surface_->MaskColor(); }
void transpik::setMaskColor(uint32_t New_MaskColor)
{
    surface_->setMaskColor(New_MaskColor);
    notify(QStringLiteral("MaskColor"));
}

platform::Picture transpik::Picture() const { return surface_->picture(); }
void transpik::setPicture(const platform::Picture& New_Picture)
{
    if (!New_Picture.isEmpty()) {
        // The picture's natural size, in whatever unit the container measures in.
        const int32_t width = New_Picture.Width();
        surface_->setWidth(float(container().ScaleX(width, platform::vbHimetric)));
        const int32_t height = New_Picture.Height();
        surface_->setHeight(float(container().ScaleY(height, platform::vbHimetric)));
    }
    surface_->setPicture(New_Picture);
    surface_->setMaskPicture(New_Picture);
    notify(QStringLiteral("Picture"));
}

int16_t transpik::ScaleMode() const { return surface_->ScaleMode(); }
void transpik::setScaleMode(int16_t New_ScaleMode)
{
    surface_->setScaleMode(New_ScaleMode);
    notify(QStringLiteral("ScaleMode"));
}

float transpik::ScaleWidth() const { return surface_->ScaleWidth(); }
void transpik::setScaleWidth(float New_ScaleWidth)
{
    surface_->setScaleWidth(New_ScaleWidth);
    notify(QStringLiteral("ScaleWidth"));
}

float transpik::ScaleHeight() const { return surface_->ScaleHeight(); }
void transpik::setScaleHeight(float New_ScaleHeight)
{
    surface_->setScaleHeight(New_ScaleHeight);
    notify(QStringLiteral("ScaleHeight"));
}

float transpik::ScaleLeft() const { return surface_->ScaleLeft(); }
void transpik::setScaleLeft(float New_ScaleLeft)
{
    surface_->setScaleLeft(New_ScaleLeft);
    notify(QStringLiteral("ScaleLeft"));
}

float transpik::ScaleTop() const { return surface_->ScaleTop(); }
void transpik::setScaleTop(float New_ScaleTop)
{
    surface_->setScaleTop(New_ScaleTop);
    notify(QStringLiteral("ScaleTop"));
}

int16_t transpik::drawMode() const { return surface_->DrawMode(); }
void transpik::setdrawMode(int16_t New_drawMode)
{
    surface_->setDrawMode(New_drawMode);
    notify(QStringLiteral("DrawMode"));
}

int16_t transpik::DrawStyle() const { return surface_->DrawStyle(); }
void transpik::setDrawStyle(int16_t New_DrawStyle)
{
    surface_->setDrawStyle(New_DrawStyle);
    notify(QStringLiteral("DrawStyle"));
}

int16_t transpik::DrawWidth() const { return surface_->DrawWidth(); }
void transpik::setDrawWidth(int16_t New_DrawWidth)
{
    surface_->setDrawWidth(New_DrawWidth);
    notify(QStringLiteral("DrawWidth"));
}

// ---------------------------------------------------------------- persistence

void transpik::UserControl_InitProperties() { surface_->setFont(Ambient_Font()); }

void transpik::UserControl_ReadProperties(const PropertyBag& PropBag)
{
    // Each value goes straight into the surface, without telling the host; the picture goes
    // through its own assignment, which sizes the control before the stored scale comes.
    const StoredValues stored(PropBag);
    Surface& s = *surface_;
    s.setBackColor(uint32_t(stored.Long(u"BackColor", defaults::BackColor)));
    s.setForeColor(uint32_t(stored.Long(u"ForeColor", defaults::ForeColor)));
    s.setEnabledProperty(stored.Boolean(u"Enabled", defaults::Enabled));
    s.setFont(stored.Font(u"Font", Ambient_Font()));
    s.setBackStyle(stored.Integer(u"BackStyle", defaults::BackStyle));
    s.setBorderStyle(stored.Integer(u"BorderStyle", defaults::BorderStyle));
    s.setAutoRedraw(stored.Boolean(u"AutoRedraw", defaults::AutoRedraw));
    s.setCurrentX(stored.Single(u"CurrentX", defaults::CurrentX));
    s.setCurrentY(stored.Single(u"CurrentY", defaults::CurrentY));
    s.setMaskColor(uint32_t(stored.Long(u"MaskColor", defaults::MaskColor)));
    setPicture(stored.Picture(u"Picture"));
    s.setScaleMode(stored.Integer(u"ScaleMode", defaults::ScaleMode));
    s.setScaleWidth(stored.Single(u"ScaleWidth", defaults::ScaleWidth));
    s.setScaleHeight(stored.Single(u"ScaleHeight", defaults::ScaleHeight));
    s.setScaleLeft(stored.Single(u"ScaleLeft", defaults::ScaleLeft));
    s.setScaleTop(stored.Single(u"ScaleTop", defaults::ScaleTop));
    s.setDrawMode(stored.Integer(u"DrawMode", defaults::DrawMode));
    s.setDrawStyle(stored.Integer(u"DrawStyle", defaults::DrawStyle));
    s.setDrawWidth(stored.Integer(u"DrawWidth", defaults::DrawWidth));
}

void transpik::UserControl_WriteProperties(PropertyBag& PropBag) const
{
    const Surface& s = *surface_;
    PropBag.WriteProperty(QStringLiteral("BackColor"), asLong(s.BackColor()), defaults::BackColor);
    PropBag.WriteProperty(QStringLiteral("ForeColor"), asLong(s.ForeColor()), defaults::ForeColor);
    PropBag.WriteProperty(QStringLiteral("Enabled"), s.Enabled(), defaults::Enabled);
    PropBag.WriteProperty(QStringLiteral("Font"), s.Font(), Ambient_Font());
    PropBag.WriteProperty(QStringLiteral("BackStyle"), int32_t(s.BackStyle()), int32_t(defaults::BackStyle));
    PropBag.WriteProperty(QStringLiteral("BorderStyle"), int32_t(s.BorderStyle()), int32_t(defaults::BorderStyle));
    PropBag.WriteProperty(QStringLiteral("AutoRedraw"), s.AutoRedraw(), defaults::AutoRedraw);
    PropBag.WriteProperty(QStringLiteral("CurrentX"), s.CurrentX(), int32_t(defaults::CurrentX));
    PropBag.WriteProperty(QStringLiteral("CurrentY"), s.CurrentY(), int32_t(defaults::CurrentY));
    PropBag.WriteProperty(QStringLiteral("MaskColor"), asLong(s.MaskColor()), defaults::MaskColor);
    PropBag.WriteProperty(QStringLiteral("Picture"), Picture(), platform::Picture());
    PropBag.WriteProperty(QStringLiteral("ScaleMode"), int32_t(s.ScaleMode()), int32_t(defaults::ScaleMode));
    PropBag.WriteProperty(QStringLiteral("ScaleWidth"), s.ScaleWidth(), int32_t(defaults::ScaleWidth));
    PropBag.WriteProperty(QStringLiteral("ScaleHeight"), s.ScaleHeight(), int32_t(defaults::ScaleHeight));
    PropBag.WriteProperty(QStringLiteral("ScaleLeft"), s.ScaleLeft(), int32_t(defaults::ScaleLeft));
    PropBag.WriteProperty(QStringLiteral("ScaleTop"), s.ScaleTop(), int32_t(defaults::ScaleTop));
    PropBag.WriteProperty(QStringLiteral("DrawMode"), int32_t(s.DrawMode()), int32_t(defaults::DrawMode));
    PropBag.WriteProperty(QStringLiteral("DrawStyle"), int32_t(s.DrawStyle()), int32_t(defaults::DrawStyle));
    PropBag.WriteProperty(QStringLiteral("DrawWidth"), int32_t(s.DrawWidth()), int32_t(defaults::DrawWidth));
}
