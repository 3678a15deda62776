#pragma once
// A record of the drawing and surface calls, as text, so tests can compare the call sequences
// of two methods. Recording happens only while a recorder is attached (a test makes one); without
// one, a call costs one pointer test and formats nothing. Handles are written by kind and order
// of first appearance in the record ("dc1", "bm2", "pal1", "wnd1", "desktop"), so two runs give
// the same text.
#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>

namespace platform {

class CallRecorder {
public:
    CallRecorder();   // attaches this recorder, in place of any other
    ~CallRecorder();  // detaches it
    CallRecorder(const CallRecorder&) = delete;
    CallRecorder& operator=(const CallRecorder&) = delete;

    void detach();  // ends recording; the record stays readable
    QStringList calls() const { return calls_; }

    static bool attached() { return attached_ != nullptr; }
    // Adds entry() to the attached recorder; without one, entry is never called.
    template <typename Entry>
    static void record(Entry entry)
    {
        if (attached_) [[unlikely]]
            attached_->calls_.append(entry());
    }
    // The same for an operation of a window or control: "wnd1." followed by entry().
    template <typename Entry>
    static void recordOf(uint32_t window, Entry entry)
    {
        record([&] { return handleName(window) + QLatin1Char('.') + entry(); });
    }
    // The name of a handle in the attached record ("0" for no handle; its number when no
    // recorder is attached).
    static QString handleName(uint32_t handle);

private:
    inline static CallRecorder* attached_ = nullptr;
    QStringList calls_;
    std::map<uint32_t, QString> names_;
    std::map<uint32_t, int> counts_;  // handles named so far, by kind
};

} // namespace platform
