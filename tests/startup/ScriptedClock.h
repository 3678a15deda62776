#pragma once
// A clock for the intro tests: time moves only when the game looks at it or pauses, so the
// 11-second intro runs in a moment and always the same way. It counts the pauses by length
// (4 ms: one slide frame; 1 ms: one wipe step) and runs a scripted action at a chosen moment.
#include "platform/Clock.h"

#include <functional>
#include <map>

class ScriptedClock : public platform::Clock::Source {
public:
    ScriptedClock() { platform::Clock::setSource(this); }
    ~ScriptedClock() override { platform::Clock::setSource(nullptr); }

    double now() override
    {
        t_ += 0.0005;  // every look costs half a millisecond, so busy waits end
        fire();
        return t_;
    }
    void sleep(int64_t milliseconds) override
    {
        t_ += milliseconds / 1000.0;
        ++pauses[milliseconds];
        fire();
    }

    // Runs `action` once, at the first look or pause at which `when` holds.
    void at(std::function<bool(const ScriptedClock&)> when, std::function<void()> action)
    {
        when_ = std::move(when);
        action_ = std::move(action);
    }

    double elapsed() const { return t_; }
    int pausesOf(int64_t milliseconds) const
    {
        const auto it = pauses.find(milliseconds);
        return it == pauses.end() ? 0 : it->second;
    }

    std::map<int64_t, int> pauses;

private:
    void fire()
    {
        if (when_ && when_(*this)) {
            when_ = nullptr;
            action_();
        }
    }

    double t_ = 0;
    std::function<bool(const ScriptedClock&)> when_;
    std::function<void()> action_;
};
