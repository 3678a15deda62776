#include "platform/CallRecorder.h"

#include "platform/GdiHandles.h"

#include <map>

namespace platform {

namespace {

struct Record {
    bool active = false;
    QStringList calls;
    std::map<uint32_t, QString> names;
    std::map<handles::Kind, int> counts;
};

Record& state()
{
    static Record r;
    return r;
}

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

void CallRecorder::start()
{
    state() = Record{};
    state().active = true;
}

void CallRecorder::stop() { state().active = false; }

bool CallRecorder::active() { return state().active; }

QStringList CallRecorder::calls() { return state().calls; }

void CallRecorder::note(const QString& entry)
{
    if (state().active)
        state().calls.append(entry);
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
    Record& r = state();
    if (!r.active)
        return QStringLiteral("0x%1").arg(handle, 8, 16, QLatin1Char('0'));
    auto it = r.names.find(handle);
    if (it != r.names.end())
        return it->second;
    const handles::Kind kind = handles::kindOf(handle);
    const QString name = prefix(kind) + QString::number(++r.counts[kind]);
    r.names.emplace(handle, name);
    return name;
}

} // namespace platform
