#pragma once
// The check that another copy of the game is running: a lock file that the first copy holds
// for its whole run. A copy that died without cleaning up (killed, crashed) leaves a lock that
// the next copy recognises as stale and takes over.
#include <QLockFile>
#include <QString>

namespace platform {

class SingleInstance {
public:
    // The lock file of this user's copies (default), or one of a test's own.
    explicit SingleInstance(const QString& lockPath = defaultLockPath());

    // True when another living copy holds the lock; otherwise this object takes the lock
    // and keeps it for its lifetime.
    bool PrevInstance();

    static QString defaultLockPath();

private:
    QLockFile lock_;
};

} // namespace platform
