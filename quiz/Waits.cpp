#include "quiz/Waits.h"

#include "platform/Clock.h"
#include "platform/Events.h"
#include "platform/ScreenReader.h"

#include <algorithm>
#include <cmath>

using platform::Clock;

namespace {
constexpr int64_t ScreenReaderStep = 10;  // milliseconds
}

void WaitWithoutEvents(double seconds)
{
    const double start = Clock::now();
    // A screen reader's questions are answered every few milliseconds, so that what the
    // window shows during the pause is heard during it.
    for (double passed = 0; passed <= seconds; passed = Clock::now() - start) {
        platform::AnswerScreenReader();
        Clock::sleep(std::min<int64_t>(ScreenReaderStep, static_cast<int64_t>(std::ceil((seconds - passed) * 1000)) + 1));
    }
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
