// Whether the desktop blends windows, asked of a real X server under a real window manager:
// xfwm4 without its compositor does not; the same window manager with its compositor does.
// The fixture's xfwm4 runs without; the test replaces it with a compositing one and back.
#include "platform/Compositing.h"

#include <QFile>
#include <QProcess>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Replaces the running window manager with xfwm4 in the given compositor mode. The new one
// is noted among the fixture's processes, so the fixture stops it.
void replaceWindowManager(const char* compositor)
{
    QProcess xfwm4;
    xfwm4.setProgram(QStringLiteral("xfwm4"));
    xfwm4.setArguments({QStringLiteral("--replace"), QStringLiteral("--sm-client-disable"),
                        QStringLiteral("--compositor=") + QLatin1String(compositor)});
    // Not on the test's own output: the test runner would wait for the window manager to end.
    xfwm4.setStandardOutputFile(QProcess::nullDevice());
    xfwm4.setStandardErrorFile(QProcess::nullDevice());
    qint64 pid = 0;
    ASSERT_TRUE(xfwm4.startDetached(&pid));
    QFile pids(qEnvironmentVariable("QUORVEL_SERVICES_DIR") + QStringLiteral("/xfwm4/pids"));
    ASSERT_TRUE(pids.open(QIODevice::Append));
    pids.write(QByteArray::number(pid) + '\n');
}

} // namespace

TEST(Compositing, ACompositingManagerIsSeenAndAPlainWindowManagerIsNot)
{
    EXPECT_FALSE(platform::desktopBlendsWindows()) << "xfwm4 without its compositor";
    replaceWindowManager("on");
    EXPECT_TRUE(QTest::qWaitFor([] { return platform::desktopBlendsWindows(); })) << "xfwm4 compositing";
    replaceWindowManager("off");
    EXPECT_TRUE(QTest::qWaitFor([] { return !platform::desktopBlendsWindows(); })) << "xfwm4 back without";
}
