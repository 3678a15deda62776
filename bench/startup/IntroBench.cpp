// The intro on the display it is given (run by startup_bench.sh on Xvfb at two sizes): how long
// it takes from the intro window's first frame to its unload, how many slide frames it presents,
// and, with --skip-after-frames N, how long a double-click during the slide takes to end it.
// Prints one line of "name value" pairs.
#include "startup/Form1.h"

#include "platform/Clock.h"
#include "core/GameState.h"
#include "platform/ScreenMetrics.h"
#include "platform/Sound.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QThread>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <map>

namespace {

double steadySeconds()
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// The real clock, counting the pauses by length: a 4 ms pause follows each slide frame.
class CountingClock : public platform::Clock::Source {
public:
    std::map<int64_t, int> pauses;
    std::function<void()> afterPause;
    double now() override { return steadySeconds(); }
    void sleep(int64_t milliseconds) override
    {
        QThread::msleep(static_cast<unsigned long>(milliseconds));
        ++pauses[milliseconds];
        if (afterPause)
            afterPause();
    }
};

class FirstFrame : public QObject {
public:
    double at = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && at == 0)
            at = steadySeconds();
        return false;
    }
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int skipIndex = args.indexOf("--skip-after-frames");
    const int skipAfter = skipIndex > 0 ? args.value(skipIndex + 1).toInt() : -1;

    // A data folder of its own, so the bench never touches the player's progress.
    QTemporaryDir folder;
    QFile::copy(QCoreApplication::applicationDirPath() + "/DATA.ASC", folder.filePath("DATA.ASC"));
    const platform::ScreenInfo screen = platform::ScreenMetrics::current();
    game().TwipsPerPixelX = int32_t(std::lround(screen.twipsPerPixelX));
    game().TwipsPerPixelY = int32_t(std::lround(screen.twipsPerPixelY));
    platform::setAudioOutputCountOverride(1);  // no "No Sound Card" box to wait on

    CountingClock clock;
    platform::Clock::setSource(&clock);
    Form1 form;
    form.programFolder = [&folder] { return folder.path(); };
    form.Form_Load();
    game().SoundOn = 0;  // the timing is the same with sound; the bench needs no audio server
    FirstFrame first;
    form.installEventFilter(&first);

    double clickedAt = 0;
    constexpr int FirstPassFrames = 10;
    if (skipAfter >= 0) {
        clock.afterPause = [&] {
            if (clickedAt == 0 && clock.pauses[4] == FirstPassFrames + skipAfter) {
                clickedAt = steadySeconds();
                const QPointF at(form.width() / 2.0, form.height() - 20.0);
                for (auto type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                                  QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
                    QApplication::postEvent(&form, new QMouseEvent(type, at, form.mapToGlobal(at), Qt::LeftButton,
                                                                   type == QEvent::MouseButtonRelease
                                                                       ? Qt::NoButton : Qt::LeftButton,
                                                                   Qt::NoModifier));
                }
            }
        };
    }
    form.showModally();
    const double end = steadySeconds();
    platform::Clock::setSource(nullptr);

    std::printf("screen %dx%d intro_s %.3f slide_frames %d wipe_steps %d",
                screen.widthPixels, screen.heightPixels, first.at > 0 ? end - first.at : -1.0,
                clock.pauses[4] - FirstPassFrames, clock.pauses[1]);
    if (clickedAt > 0)
        std::printf(" doubleclick_to_unload_ms %.1f", (end - clickedAt) * 1000);
    std::printf("\n");
    return 0;
}
