#include "platform/CallRecorder.h"

#include "platform/GdiHandles.h"

namespace platform {

namespace {

QString prefix(handles::Kind kind)
{
    switch (kind) {
    case handles::Kind::DC: return QStringLiteral("dc");
    case handles::Kind::Bitmap: return QStringLiteral("bm");
    case handles::Kind::Palette: return QStringLiteral("pal");
    case handles::Kind::Window: return QStringLiteral("wnd");
    default: return QStringLiteral("h");
    }
}

} // namespace

CallRecorder::CallRecorder() { attached_ = this; }

CallRecorder::~CallRecorder() { detach(); }

void CallRecorder::detach()
{
    if (attached_ == this)
        attached_ = nullptr;
}

QString CallRecorder::handleName(uint32_t handle)
{
    if (handle == 0)
        return QStringLiteral("0");
    if (handle == handles::desktopWindow)
        return QStringLiteral("desktop");
    if (handle == handles::stockBitmap)
        return QStringLiteral("stockbitmap");
    if (handle == handles::stockPalette)
        return QStringLiteral("stockpalette");
    CallRecorder* r = attached_;
    if (!r)
        return QStringLiteral("0x%1").arg(handle, 8, 16, QLatin1Char('0'));
    auto it = r->names_.find(handle);
    if (it != r->names_.end())
        return it->second;
    const handles::Kind kind = handles::kindOf(handle);
    const QString name = prefix(kind) + QString::number(++r->counts_[static_cast<uint32_t>(kind)]);
    r->names_.emplace(handle, name);
    return name;
}

} // namespace platform
