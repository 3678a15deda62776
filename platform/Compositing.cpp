#include "platform/Compositing.h"

#include "platform/XcbConnection.h"

#include <QGuiApplication>
#include <string>

namespace platform {

namespace {

// The X server is Xwayland: it carries the extension of that name.
bool isXwayland(xcb_connection_t* connection)
{
    const char name[] = "XWAYLAND";
    const auto cookie = xcb_query_extension(connection, sizeof name - 1, name);
    const XcbReply<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(connection, cookie, nullptr), &std::free);
    return reply && reply->present;
}

// A compositing manager announces itself by owning the selection _NET_WM_CM_S<screen>.
bool compositingManagerRuns(xcb_connection_t* connection, int screen)
{
    const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
    const auto atomCookie = xcb_intern_atom(connection, 0, uint16_t(name.size()), name.c_str());
    const XcbReply<xcb_intern_atom_reply_t> atom(xcb_intern_atom_reply(connection, atomCookie, nullptr), &std::free);
    if (!atom)
        return false;
    const auto ownerCookie = xcb_get_selection_owner(connection, atom->atom);
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(connection, ownerCookie, nullptr), &std::free);
    return owner && owner->owner != XCB_NONE;
}

} // namespace

bool desktopBlendsWindows()
{
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland")))
        return true;
    xcb_connection_t* connection = xcbConnection();
    if (!connection)
        return false;
    // The default screen of the connection (Qt serves one X screen per connection here).
    return isXwayland(connection) || compositingManagerRuns(connection, 0);
}

} // namespace platform
