#pragma once
// The clock of every wait and duration in the game. It is monotonic, so no wait hangs or
// ends early when the time of day jumps (midnight, a clock change).
#include <cstdint>

namespace platform {

class Clock {
public:
    // Seconds since an arbitrary start, monotonic.
    static double now();
    // Pauses the thread without running events. A negative pause is no pause.
    static void sleep(int64_t milliseconds);
    // Seconds since midnight (only for seeding the random generator).
    static double timeOfDay();

    // Test seam: a source that replaces the real clock for now() and sleep().
    class Source {
    public:
        virtual ~Source() = default;
        virtual double now() = 0;
        virtual void sleep(int64_t milliseconds) = 0;
    };
    static void setSource(Source* source);  // nullptr restores the real clock
};

} // namespace platform
