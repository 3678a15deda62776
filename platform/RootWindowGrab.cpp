#include "platform/RootWindowGrab.h"

#include "platform/XcbConnection.h"

#include <QByteArray>
#include <QtEndian>
#include <cstring>
#include <future>

namespace platform {

namespace {

const xcb_visualtype_t* visualOf(const xcb_screen_t* screen, xcb_visualid_t id)
{
    for (auto depths = xcb_screen_allowed_depths_iterator(screen); depths.rem; xcb_depth_next(&depths))
        for (auto visuals = xcb_depth_visuals_iterator(depths.data); visuals.rem; xcb_visualtype_next(&visuals))
            if (visuals.data->visual_id == id)
                return visuals.data;
    return nullptr;
}

// Whether a root-window image arrives as 32-bit pixels 0x??RRGGBB in this machine's byte
// order, the layout of an RGB32 image.
bool rootHoldsXrgb32(xcb_connection_t* connection, const xcb_screen_t* screen)
{
    const xcb_setup_t* setup = xcb_get_setup(connection);
    const uint8_t hostOrder = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? XCB_IMAGE_ORDER_LSB_FIRST : XCB_IMAGE_ORDER_MSB_FIRST;
    if (setup->image_byte_order != hostOrder)
        return false;
    bool thirtyTwoBits = false;
    for (auto formats = xcb_setup_pixmap_formats_iterator(setup); formats.rem; xcb_format_next(&formats))
        if (formats.data->depth == screen->root_depth)
            thirtyTwoBits = formats.data->bits_per_pixel == 32;
    const xcb_visualtype_t* visual = visualOf(screen, screen->root_visual);
    return thirtyTwoBits && visual && visual->red_mask == 0xFF0000 && visual->green_mask == 0xFF00 &&
           visual->blue_mask == 0xFF;
}

// The pixels of `part` of the root window, which lies wholly inside it.
QImage readRoot(xcb_connection_t* connection, const xcb_screen_t* screen, const QRect& part)
{
    const auto cookie = xcb_get_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, screen->root, int16_t(part.x()),
                                      int16_t(part.y()), uint16_t(part.width()), uint16_t(part.height()), ~0u);
    // A refused read (the server may refuse one while it reshapes the screen) leaves the reading
    // to the caller's other way, without a report of an X error.
    xcb_generic_error_t* error = nullptr;
    xcb_get_image_reply_t* reply = xcb_get_image_reply(connection, cookie, &error);
    std::free(error);
    if (!reply)
        return {};
    const qsizetype pixels = qsizetype(part.width()) * part.height();
    if (xcb_get_image_data_length(reply) < pixels * 4) {
        std::free(reply);
        return {};
    }
    auto* data = reinterpret_cast<uint32_t*>(xcb_get_image_data(reply));
    // The byte above the colour is unspecified; an RGB32 image holds it opaque.
    for (qsizetype i = 0; i < pixels; ++i)
        data[i] |= 0xFF000000u;
    return QImage(reinterpret_cast<uchar*>(data), part.width(), part.height(), part.width() * 4,
                  QImage::Format_RGB32, [](void* owned) { std::free(owned); }, reply);
}

// The whole desktop read ahead, with the root window it was read from.
struct DesktopAhead {
    xcb_window_t root = XCB_NONE;
    QImage pixels;
};

std::future<DesktopAhead>& desktopAhead()
{
    static std::future<DesktopAhead> reading;
    return reading;
}

DesktopAhead readWholeDesktop()
{
    DesktopAhead desktop;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    if (!xcb_connection_has_error(connection)) {
        auto screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screenNumber && screens.rem; ++i)
            xcb_screen_next(&screens);
        const xcb_screen_t* screen = screens.rem ? screens.data : nullptr;
        if (screen && rootHoldsXrgb32(connection, screen)) {
            desktop.pixels = readRoot(connection, screen, QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels));
            desktop.root = screen->root;
        }
    }
    xcb_disconnect(connection);
    return desktop;
}

// Qt chooses Wayland where a Wayland session runs, unless told otherwise.
bool qtWillUseX()
{
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (!platform.isEmpty())
        return platform.startsWith("xcb");
    return qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qgetenv("XDG_SESSION_TYPE") != "wayland";
}

} // namespace

void readDesktopAhead()
{
    if (qtWillUseX() && !qEnvironmentVariableIsEmpty("DISPLAY"))
        desktopAhead() = std::async(std::launch::async, readWholeDesktop);
}

std::optional<QImage> grabRootWindow(const QRect& native)
{
    xcb_connection_t* connection = xcbConnection();
    if (!connection || native.isEmpty())
        return std::nullopt;
    const xcb_screen_t* screen = xcbDefaultScreen(connection);
    if (!screen || !rootHoldsXrgb32(connection, screen))
        return std::nullopt;
    const QRect root(0, 0, screen->width_in_pixels, screen->height_in_pixels);
    // The desktop read ahead serves the first grab only, and only if it is this screen's.
    if (desktopAhead().valid()) {
        const DesktopAhead ahead = desktopAhead().get();
        if (ahead.root == screen->root && ahead.pixels.rect() == root && root.contains(native))
            return native == root ? ahead.pixels : ahead.pixels.copy(native);
    }
    const QRect shown = native & root;
    QImage part = shown.isEmpty() ? QImage() : readRoot(connection, screen, shown);
    if (!shown.isEmpty() && part.isNull())
        return std::nullopt;
    if (shown == native)
        return part;
    QImage whole(native.size(), QImage::Format_RGB32);
    whole.fill(Qt::black);
    const QPoint at = shown.topLeft() - native.topLeft();
    for (int y = 0; y < part.height(); ++y)
        std::memcpy(whole.scanLine(at.y() + y) + at.x() * 4, part.constScanLine(y), size_t(part.width()) * 4);
    return whole;
}

} // namespace platform
