#include "platform/MediaBackend.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>

#include <algorithm>

namespace platform {

namespace {

bool gstreamerBackendInstalled()
{
    const QStringList folders = QCoreApplication::libraryPaths();
    return std::any_of(folders.begin(), folders.end(), [](const QString& folder) {
        return QFileInfo::exists(folder + QStringLiteral("/multimedia/libgstreamermediaplugin.so"));
    });
}

} // namespace

void chooseMediaBackend()
{
    // Qt reads the variable once, when the first multimedia object appears; a value the user
    // set on purpose is left alone, and a backend that is not installed is never asked for. The
    // plugin folders are looked at once, not at every sound.
    static const bool chosen = [] {
        if (!qEnvironmentVariableIsSet("QT_MEDIA_BACKEND") && gstreamerBackendInstalled())
            qputenv("QT_MEDIA_BACKEND", QByteArrayLiteral("gstreamer"));
        return true;
    }();
    static_cast<void>(chosen);
}

} // namespace platform
