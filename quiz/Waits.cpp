#include "quiz/Waits.h"

#include "platform/Clock.h"
#include "platform/Events.h"

#include <cmath>

using platform::Clock;

void WaitWithoutEvents(double seconds)
{
    const double start = Clock::now();
    for (double passed = 0; passed <= seconds; passed = Clock::now() - start)
        Clock::sleep(static_cast<int64_t>(std::ceil((seconds - passed) * 1000)) + 1);
    platform::DropPendingInput();
}

bool WaitWithEvents(double seconds, const std::function<bool()>& done)
{
    const double start = Clock::now();
    for (;;) {
        platform::DoEvents();
        if (done && done())
            return true;
        if (Clock::now() - start > seconds)
            return false;
        // A short pause between rounds keeps the wait from spinning a core.
        Clock::sleep(10);
    }
}
