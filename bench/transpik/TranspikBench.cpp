// How transpik's transitions pace themselves. Prints, for the 599 x 127 title:
//  - Tanimate along 515 points with delay 4 on a 1024 x 768 and a 1920 x 1080 form: the mean and
//    worst frame cost (composing plus presenting, the pause left out) against 0.4 ms, and the
//    slide's duration over 515 x 4 ms against 1.15;
//  - Dissolve2 in with dSize 3 for 3 s: blocks drawn per second (target 10 million) and frames
//    presented per second (target 50).
// Offscreen unless run on an X display, e.g.
//   Xvfb :93 -screen 0 1920x1080x24 -nolisten tcp -noreset &  DISPLAY=:93 QT_QPA_PLATFORM=xcb bin/TranspikBench
#include "Clock.h"
#include "PropertyBag.h"
#include "Random.h"
#include "Surface.h"
#include "transpik.h"

#include <QApplication>
#include <QEvent>
#include <QImage>
#include <QThread>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <numeric>
#include <vector>

namespace {

double realNow()
{
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

// The real clock, noting the work between two pauses (one frame).
class MeasuringClock : public platform::Clock::Source {
public:
    MeasuringClock() { platform::Clock::setSource(this); }
    ~MeasuringClock() override { platform::Clock::setSource(nullptr); }
    double now() override { return realNow(); }
    void sleep(int64_t milliseconds) override
    {
        const double start = realNow();
        if (pauseEnded > 0)
            frameCosts.push_back(start - pauseEnded);
        QThread::usleep(static_cast<unsigned long>(milliseconds * 1000));
        pauseEnded = realNow();
    }
    std::vector<double> frameCosts;  // from the end of one pause to the start of the next

private:
    double pauseEnded = 0;
};

// Counts the paint events that present the control.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};

QImage formBackground(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb((x / 7) % 256, (y / 3) % 256, 120));
    return image;
}

struct Stage {
    platform::Surface form;
    transpik title{form};

    explicit Stage(const QSize& size)
    {
        form.setScaleMode(platform::vbPixels);
        form.resize(size);
        form.setPicture(platform::Picture::fromImage(formBackground(size)));
        title.UserControl_ReadProperties(PropertyBag::load(QStringLiteral(":/designs/Pic1.txt")));
        title.extender().Move(float((size.width() - 599) / 2), 25);
        form.show();
        // On an X server nothing is painted before the window is exposed.
        const double deadline = realNow() + 5;
        while (!(form.windowHandle() && form.windowHandle()->isExposed()) && realNow() < deadline)
            QApplication::processEvents(QEventLoop::AllEvents, 50);
        QApplication::processEvents();
    }
};

bool slide(const QSize& size)
{
    Stage stage(size);
    constexpr int points = 515;
    constexpr int delay = 4;
    CoordTable coords(0, points, 0, 2);
    for (int i = 1; i <= points; ++i) {
        coords(i, 1) = (size.width() - 599) / 2;
        coords(i, 2) = 25 + i - 1;
    }
    MeasuringClock clock;
    const double start = realNow();
    stage.title.Tanimate(coords, points, delay);
    const double duration = realNow() - start;
    const auto& costs = clock.frameCosts;
    const double mean = std::accumulate(costs.begin(), costs.end(), 0.0) / double(costs.size());
    const double worst = *std::max_element(costs.begin(), costs.end());
    const double ratio = duration / (points * delay / 1000.0);
    std::printf("slide %4dx%-4d  frame mean %.3f ms  worst %.3f ms (target mean <= 0.4)  "
                "duration %.0f ms / %d ms = %.3f (target <= 1.15)\n",
                size.width(), size.height(), mean * 1000, worst * 1000, duration * 1000, points * delay, ratio);
    return mean <= 0.0004 && ratio <= 1.15;
}

// How many values the program-wide generator gave since it was seeded with `seed`: the
// dissolve draws two per block.
long long drawsSince(double seed)
{
    const double next[3] = {platform::Rnd(), platform::Rnd(), platform::Rnd()};
    platform::Randomize(seed);
    double window[3] = {platform::Rnd(), platform::Rnd(), platform::Rnd()};
    long long draws = 0;
    while (!(window[0] == next[0] && window[1] == next[1] && window[2] == next[2])) {
        window[0] = window[1];
        window[1] = window[2];
        window[2] = platform::Rnd();
        ++draws;
    }
    return draws;
}

bool dissolve()
{
    Stage stage(QSize(1024, 768));
    PaintCounter counter;
    stage.title.extender().installEventFilter(&counter);
    constexpr double seed = 12345;
    platform::Randomize(seed);
    const double start = realNow();
    stage.title.Dissolve2(1, 3, 3);
    const double duration = realNow() - start;
    const double blocksPerSecond = double(drawsSince(seed) / 2) / 3.0;
    const double framesPerSecond = counter.paints / duration;
    std::printf("dissolve2 599x127 dSize 3, 3 s  %.2f million blocks/s (target >= 10)  "
                "%.1f frames/s presented (target >= 50)\n",
                blocksPerSecond / 1e6, framesPerSecond);
    return blocksPerSecond >= 10e6 && framesPerSecond >= 50;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::printf("platform: %s\n", qPrintable(QGuiApplication::platformName()));
    bool met = slide(QSize(1024, 768));
    met = slide(QSize(1920, 1080)) && met;
    met = dissolve() && met;
    std::printf("%s\n", met ? "all targets met" : "some targets missed");
    return 0;
}
