#pragma once
// Lets pending window events run, as a wait "with events" does between its checks, or drops
// the player's input that queued up while the game held the window.
namespace platform {

void DoEvents();

// Runs the events that queued up during a wait without events (close requests, the clip
// player's end report, repaints), but drops the clicks, key presses and wheel turns among them:
// input given while the window could not react is not delivered to what shows next. Esc and
// input to a window's Close button are close requests, not answers: they are kept.
void DropPendingInput();

} // namespace platform
