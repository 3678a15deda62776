#include "platform/MediaBackend.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

void useGStreamerBackend()
{
    // Qt reads the variable once, when the first multimedia object appears; a value the user
    // set on purpose is left alone.
    if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));
}

} // namespace platform
