#pragma once
// Lets pending window events run, as a wait "with events" does between its checks.
namespace platform {

void DoEvents();

} // namespace platform
