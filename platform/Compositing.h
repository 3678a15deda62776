#pragma once
// Whether the desktop composites windows: a compositor that blends a window's transparent
// pixels with what lies behind it. Always so on Wayland (and in Xwayland, whose windows the
// Wayland compositor draws); on X11 only while a compositing manager runs.

namespace platform {

bool desktopBlendsWindows();

} // namespace platform
