#include "transpik/OffscreenGuard.h"

OffscreenGuard::~OffscreenGuard()
{
    if (!armed_)
        return;
    for (const Selection& s : selections_)
        platform::SelectObject(s.dc, s.replaced);
    for (platform::HBITMAP b : bitmaps_)
        platform::DeleteObject(b);
    for (platform::HDC d : dcs_)
        platform::DeleteDC(d);
}

platform::HDC OffscreenGuard::dc(platform::HDC made)
{
    dcs_.push_back(made);
    return made;
}

platform::HBITMAP OffscreenGuard::bitmap(platform::HBITMAP made)
{
    bitmaps_.push_back(made);
    return made;
}

platform::HGDIOBJ OffscreenGuard::select(platform::HDC dc, platform::HGDIOBJ object)
{
    const platform::HGDIOBJ replaced = platform::SelectObject(dc, object);
    selections_.push_back({dc, replaced});
    return replaced;
}
