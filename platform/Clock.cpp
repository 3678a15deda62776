#include "platform/Clock.h"

#include <QDateTime>
#include <QThread>
#include <chrono>
#include <sys/prctl.h>

namespace platform {

namespace {
Clock::Source* testSource = nullptr;
}

double Clock::now()
{
    if (testSource)
        return testSource->now();
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

void Clock::sleep(int64_t milliseconds)
{
    if (milliseconds <= 0)
        return;
    if (testSource)
        return testSource->sleep(milliseconds);
    // A pause ends as soon after its length as the system can wake the thread. The default
    // timer slack lets each pause run over by a quarter of a millisecond or more, which adds up
    // over the hundreds of 4 ms pauses of the intro's slide. The slack belongs to a thread.
    thread_local const int tightTimers = prctl(PR_SET_TIMERSLACK, 1UL, 0, 0, 0);
    static_cast<void>(tightTimers);
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

double Clock::timeOfDay()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void Clock::setSource(Source* source) { testSource = source; }

} // namespace platform
