// Device capabilities and palettes: what the display reports and the logical palettes of the
// capture on a palette device.
#include "platform/Gdi.h"

#include "platform/GdiObjects.h"
#include "platform/GdiTrace.h"
#include "platform/ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>

namespace platform {

using namespace objects;
using trace::h;
using trace::n;
using trace::record;

namespace {

// What a true-colour display reports: bit copies, DIBs, stretching, flood fill, ... but no palette.
constexpr int32_t trueColourRasterCaps = 0x7E99;

int32_t deviceCaps(int32_t index)
{
    const auto& overrides = registry().capsOverrides;
    if (auto it = overrides.find(index); it != overrides.end())
        return it->second;
    const ScreenInfo screen = ScreenMetrics::current();
    switch (index) {
    case HORZRES: return screen.widthPixels;
    case VERTRES: return screen.heightPixels;
    case BITSPIXEL: {
        QScreen* primary = QGuiApplication::primaryScreen();
        return primary ? primary->depth() : 24;
    }
    case RASTERCAPS: return trueColourRasterCaps;
    case LOGPIXELSX: return static_cast<int32_t>(std::lround(1440.0 / screen.twipsPerPixelX));
    case LOGPIXELSY: return static_cast<int32_t>(std::lround(1440.0 / screen.twipsPerPixelY));
    case SIZEPALETTE: return 0;
    default: return 0;
    }
}

bool isPaletteDevice() { return (deviceCaps(RASTERCAPS) & RC_PALETTE) != 0; }

} // namespace

// ---------------------------------------------------------------- device capabilities, palettes

int32_t GetDeviceCaps(HDC hdc, int32_t index)
{
    const int32_t result = findDc(hdc) ? deviceCaps(index) : 0;
    record("GetDeviceCaps", [&] { return QStringList{h(hdc), n(index)}; });
    return result;
}

uint32_t GetSystemPaletteEntries(HDC hdc, uint32_t start, uint32_t count, PALETTEENTRY* entries)
{
    record("GetSystemPaletteEntries", [&] { return QStringList{h(hdc), n(start), n(count)}; });
    if (!findDc(hdc) || !isPaletteDevice() || start >= 256)
        return 0;
    const uint32_t filled = std::min<uint32_t>(count, 256 - start);
    for (uint32_t i = 0; entries && i < filled; ++i) {
        const uint32_t rgb = systemPaletteEntry(static_cast<int>(start + i));
        entries[i] = PALETTEENTRY{static_cast<uint8_t>(qRed(rgb)), static_cast<uint8_t>(qGreen(rgb)),
                                  static_cast<uint8_t>(qBlue(rgb)), 0};
    }
    return filled;
}

HPALETTE CreatePalette(const LOGPALETTE& palette)
{
    HPALETTE result = 0;
    if (palette.palVersion == 0x300 && palette.palNumEntries > 0 && palette.palNumEntries <= 256) {
        PaletteObject object;
        for (int i = 0; i < palette.palNumEntries; ++i) {
            const PALETTEENTRY& e = palette.palPalEntry[i];
            object.entries.append(qRgb(e.peRed, e.peGreen, e.peBlue));
        }
        auto& r = registry();
        result = r.newHandle(handles::Kind::Palette);
        r.palettes.emplace(result, std::move(object));
    }
    record("CreatePalette", [&] { return QStringList{QStringLiteral("0x%1").arg(palette.palVersion, 0, 16), n(palette.palNumEntries)}; }, result);
    return result;
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, bool forceBackground)
{
    record("SelectPalette", [&] { return QStringList{h(hdc), h(palette), n(forceBackground ? 1 : 0)}; });
    DcObject* dc = findDc(hdc);
    PaletteObject* object = findPalette(palette);
    if (!dc || !object)
        return 0;
    const HPALETTE previous = dc->palette;
    if (PaletteObject* old = findPalette(previous); old && previous != handles::stockPalette)
        --old->selections;
    if (palette != handles::stockPalette)
        ++object->selections;
    dc->palette = palette;
    return previous;
}

uint32_t RealizePalette(HDC hdc)
{
    record("RealizePalette", [&] { return QStringList{h(hdc)}; });
    const DcObject* dc = findDc(hdc);
    if (!dc || !isPaletteDevice())
        return 0;
    const PaletteObject* palette = findPalette(dc->palette);
    return palette ? static_cast<uint32_t>(palette->entries.size()) : 0;
}

namespace gdi {

void setDeviceCapsOverride(int32_t index, std::optional<int32_t> value)
{
    auto& overrides = registry().capsOverrides;
    if (value)
        overrides[index] = *value;
    else
        overrides.erase(index);
}

void clearDeviceCapsOverrides() { registry().capsOverrides.clear(); }

} // namespace gdi
} // namespace platform
