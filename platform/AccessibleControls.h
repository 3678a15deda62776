#pragma once
// What a screen reader learns about the game's own controls. A window of the game is a frame
// named by its caption; a picture is an image named by its accessible name; a label reads out
// the text it shows, and an alert label (a message that appears in the window) has the alert
// role; Orca does not speak an alert as it shows, so the window's Announcer says such messages,
// each a notification. A label that is not on show, or shows nothing, exposes no name and is
// not showing for the screen reader either, so no stale or placeholder caption is read out.

namespace platform {

// Makes Qt's accessibility use the interfaces above for the game's controls. Call once the
// application object exists; later calls do nothing.
void useAccessibleControls();

} // namespace platform
