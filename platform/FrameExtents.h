#pragma once
// The frame a window manager will put around a window, asked before the window shows, so that
// the window can be placed where its frame ends up right, with no move once it is on screen.
#include <QMargins>
#include <optional>

class QWidget;

namespace platform {

// The frame's left, top, right and bottom widths in pixels, asked of the X11 window manager
// (which answers by setting the window's frame extents). Nothing where the window is shown
// already, where Qt draws through no X server, where no window manager offers the answer, or
// when it does not come in a quarter of a second.
std::optional<QMargins> frameExtentsBeforeShow(QWidget& window);

} // namespace platform
