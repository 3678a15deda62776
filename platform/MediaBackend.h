#pragma once
// Qt Multimedia must run on its GStreamer backend here: the FFmpeg one crashes on a machine
// without an audio device. Called before the first multimedia object is made.
namespace platform {

void useGStreamerBackend();

} // namespace platform
