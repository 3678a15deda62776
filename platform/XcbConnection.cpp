#include "platform/XcbConnection.h"

#include <QGuiApplication>
#include <QtGui/qguiapplication_platform.h>

namespace platform {

xcb_connection_t* xcbConnection()
{
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

const xcb_screen_t* xcbDefaultScreen(xcb_connection_t* connection)
{
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
}

} // namespace platform
