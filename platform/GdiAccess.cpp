// Access to the drawing objects for the rest of platform/ and for tests: pixels, palettes,
// drawing targets, window handles and live counts.
#include "platform/Gdi.h"

#include "platform/GdiObjects.h"

#include <QWidget>

namespace platform::gdi {

using namespace objects;

QImage bitmapImage(HBITMAP bitmap)
{
    BitmapObject* object = findBitmap(bitmap);
    return object ? object->image() : QImage();
}

bool isMonochrome(HBITMAP bitmap)
{
    const BitmapObject* object = findBitmap(bitmap);
    return object && object->mono;
}

HBITMAP createBitmapFromImage(const QImage& image)
{
    if (image.isNull())
        return 0;
    return newBitmap(image.convertToFormat(QImage::Format_RGB32), false);
}

QList<uint32_t> paletteEntries(HPALETTE palette)
{
    const PaletteObject* object = findPalette(palette);
    return object ? object->entries : QList<uint32_t>();
}

HBITMAP selectedBitmap(HDC hdc)
{
    const DcObject* dc = findDc(hdc);
    return dc && dc->kind == DcKind::Memory ? dc->bitmap : 0;
}

int liveDCs() { return static_cast<int>(registry().dcs.size()); }
int liveBitmaps() { return static_cast<int>(registry().bitmaps.size()) - 1; }    // without the stock one
int livePalettes() { return static_cast<int>(registry().palettes.size()) - 1; }  // without the default one

bool isValid(HANDLE handle)
{
    auto& r = registry();
    return r.dcs.count(handle) || r.bitmaps.count(handle) || r.palettes.count(handle) ||
           handle == handles::desktopWindow || r.windows.count(handle);
}

HDC createTargetDC(DrawTarget* target)
{
    DcObject dc;
    dc.kind = DcKind::Target;
    dc.target = target;
    return newDc(dc);
}

void registerWindowTarget(HWND hwnd, DrawTarget* clientTarget)
{
    auto& targets = registry().windowTargets;
    if (clientTarget)
        targets[hwnd] = clientTarget;
    else
        targets.erase(hwnd);
}

HWND windowHandle(QWidget* widget)
{
    if (!widget)
        return 0;
    auto& r = registry();
    const QVariant known = widget->property("quorvelHwnd");
    if (known.isValid())
        return known.toUInt();
    const HWND handle = r.newHandle(handles::Kind::Window);
    r.windows.emplace(handle, QPointer<QWidget>(widget));
    widget->setProperty("quorvelHwnd", handle);
    // Forget the handle with the widget, so a later widget never answers to it.
    QObject::connect(widget, &QObject::destroyed, [handle] {
        registry().windows.erase(handle);
        registry().windowTargets.erase(handle);
    });
    return handle;
}

QWidget* widgetOf(HWND hwnd)
{
    auto& windows = registry().windows;
    auto it = windows.find(hwnd);
    return it == windows.end() ? nullptr : it->second.data();
}

} // namespace platform::gdi
