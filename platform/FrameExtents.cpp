#include "platform/FrameExtents.h"

#include "platform/XcbConnection.h"

#include <QByteArray>
#include <QThread>
#include <QWidget>

namespace platform {

namespace {

xcb_atom_t atom(xcb_connection_t* connection, const QByteArray& name)
{
    const XcbReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.constData()), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

// The 32-bit values of `property` on `window`.
QList<uint32_t> cardinals(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t type)
{
    const XcbReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, type, 0, 1024), nullptr),
        &std::free);
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    return QList<uint32_t>(values, values + xcb_get_property_value_length(reply.get()) / 4);
}

} // namespace

std::optional<QMargins> frameExtentsBeforeShow(QWidget& window)
{
    xcb_connection_t* connection = xcbConnection();
    if (!connection || window.isVisible())
        return std::nullopt;
    const xcb_window_t root = xcbDefaultScreen(connection)->root;
    const xcb_atom_t request = atom(connection, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(connection, "_NET_FRAME_EXTENTS");
    if (!cardinals(connection, root, atom(connection, "_NET_SUPPORTED"), XCB_ATOM_ATOM).contains(request))
        return std::nullopt;

    // The window must exist for the window manager to look at its kind and decorations.
    const auto id = static_cast<xcb_window_t>(window.winId());
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = id;
    message.type = request;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    // A window manager answers within milliseconds, but one that has only just started (a new
    // session) can take a few hundred: wait up to about a second before placing without.
    for (int round = 0; round < 200; ++round) {
        const QList<uint32_t> sides = cardinals(connection, id, extents, XCB_ATOM_CARDINAL);  // left, right, top, bottom
        if (sides.size() == 4)
            return QMargins(int(sides[0]), int(sides[2]), int(sides[1]), int(sides[3]));
        QThread::msleep(5);
    }
    return std::nullopt;
}

} // namespace platform
