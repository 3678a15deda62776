#include "platform/Clock.h"

#include <QDateTime>
#include <QThread>
#include <chrono>

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
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}

double Clock::timeOfDay()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void Clock::setSource(Source* source) { testSource = source; }

} // namespace platform
