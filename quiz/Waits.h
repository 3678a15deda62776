#pragma once
// The quiz's two kinds of wait, both on the monotonic clock. A wait without events keeps the
// window from reacting for its length; a wait with events lets clicks, keys and the clip
// player's end report run between its checks.
#include <functional>

// Returns once more than `seconds` have passed; no event runs meanwhile. The events that
// queued up run when it ends, close requests among them, except the clicks and keys given
// meanwhile that would answer or replay, which are dropped.
void WaitWithoutEvents(double seconds);

// Lets events run until `done` holds (checked after each round of events) or more than
// `seconds` have passed. Returns true when `done` ended the wait.
bool WaitWithEvents(double seconds, const std::function<bool()>& done = {});
