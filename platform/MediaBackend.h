#pragma once
// Qt Multimedia runs on its GStreamer backend wherever that is installed (Debian 12): Qt 6.4's
// FFmpeg backend crashes on a machine without an audio device. Where only the FFmpeg backend is
// installed (Debian 13), Qt's own choice stands. Called before the first multimedia object is made.
namespace platform {

void chooseMediaBackend();

} // namespace platform
