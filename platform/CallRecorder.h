#pragma once
// An optional record of the drawing and surface calls, as text, so tests can compare the call
// sequences of two methods. Handles are written by kind and order of first appearance since
// start() ("dc1", "bm2", "pal1", "wnd1", "desktop"), so two runs give the same text.
#include <QString>
#include <QStringList>
#include <cstdint>

namespace platform {

class CallRecorder {
public:
    static void start();   // clears the record and begins recording
    static void stop();    // ends recording; the record stays readable
    static bool active();
    static QStringList calls();
    // Adds one entry while recording (surfaces and controls record their own operations).
    static void note(const QString& entry);
    // The name of a handle in this record ("0" for no handle).
    static QString handleName(uint32_t handle);
};

} // namespace platform
