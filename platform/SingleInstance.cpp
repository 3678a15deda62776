#include "platform/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>
#include <unistd.h>

namespace platform {

SingleInstance::SingleInstance(const QString& lockPath)
    : lock_(lockPath)
{
    // Age alone must never make the lock stale: the first copy may run for hours. A lock is
    // stale only when the process that wrote it has gone.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::PrevInstance()
{
    if (lock_.isLocked())
        return false;
    return !lock_.tryLock(0);
}

QString SingleInstance::defaultLockPath()
{
    // The runtime folder is the user's own; the shared temp folder needs the user in the name.
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::tempPath();
    return folder + QStringLiteral("/quorvel-challenge-%1.lock").arg(::getuid());
}

} // namespace platform
