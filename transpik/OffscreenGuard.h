#pragma once
// The off-screen surfaces and images of one transition. The transition releases them itself,
// in its own order, and then disarms the guard; when it stops on an error the guard puts the
// replaced objects back and deletes what was made, so nothing leaks.
#include "platform/Gdi.h"

#include <vector>

class OffscreenGuard {
public:
    OffscreenGuard() = default;
    OffscreenGuard(const OffscreenGuard&) = delete;
    OffscreenGuard& operator=(const OffscreenGuard&) = delete;
    ~OffscreenGuard();

    platform::HDC dc(platform::HDC made);
    platform::HBITMAP bitmap(platform::HBITMAP made);
    // Selects `object` into `dc` and returns what it replaced, as SelectObject does.
    platform::HGDIOBJ select(platform::HDC dc, platform::HGDIOBJ object);
    void disarm() { armed_ = false; }

private:
    struct Selection {
        platform::HDC dc;
        platform::HGDIOBJ replaced;
    };
    std::vector<platform::HDC> dcs_;
    std::vector<platform::HBITMAP> bitmaps_;
    std::vector<Selection> selections_;
    bool armed_ = true;
};
