#pragma once
// Tools of the sound tests and the sound benchmark: tones written as real .WAV files, and a
// recorder of what actually came out of the PulseAudio null sink.
#include <QProcess>
#include <QString>
#include <vector>

// A 16-bit mono 22050 Hz sine tone.
void writeToneWav(const QString& path, double seconds, double hertz = 440);

// A stretch of sound in a recording, in seconds from the recording's start.
struct LoudRun {
    double start = 0;
    double end = 0;
    double length() const { return end - start; }
};

// The seconds of sound in all the stretches together.
inline double total(const std::vector<LoudRun>& runs)
{
    double sum = 0;
    for (const LoudRun& r : runs)
        sum += r.length();
    return sum;
}

// Records the monitor of the sink named in QUORVEL_TEST_SINK with parec, streaming raw samples
// to us as they come. parec drops its first 1 to 1.5 s, so start() waits 2 s and discards them;
// the sound under test comes after.
class SinkRecorder {
public:
    SinkRecorder() = default;
    ~SinkRecorder();
    bool start();                          // false when parec could not start
    // Reads until a loud stretch arrives; the monotonic time of its arrival, or -1 on timeout.
    double waitForSound(double timeoutSeconds);
    void discard(double seconds);          // reads for that long and forgets what came
    void take(double seconds);             // reads what comes for that long, running no events
    std::vector<LoudRun> stop();           // ends the recording and finds its loud stretches

private:
    QProcess parec_;
    QByteArray samples_;
    qsizetype checked_ = 0;
};
