#pragma once
// The game's connection to an X server, where Qt runs on one (the xcb platform), and ownership
// of the replies read from it.
#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace platform {

template <typename Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// Null where Qt does not draw through an X server (Wayland, offscreen).
xcb_connection_t* xcbConnection();

// The connection's default screen (Qt serves one X screen per connection here).
const xcb_screen_t* xcbDefaultScreen(xcb_connection_t* connection);

} // namespace platform
