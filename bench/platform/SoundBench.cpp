// Latency from PlayWave with flags 1 (asynchronous) to the sound arriving at the audio
// server's sink, read back from the sink's monitor as it streams. The figure is an upper bound:
// it includes the recorder's own 5 ms fragments.
// Then the time a synchronous PlayWave (flags 0) of a 0.6 s sound takes beyond the sound's
// length, alone on the sink and beside a recorder of the sink's monitor with the server's
// default latency.
//
// Needs an audio server with a null sink, e.g.:
//   tests/services/start-pulse /tmp/quorvel-bench
//   QUORVEL_SERVICES_DIR=/tmp/quorvel-bench tests/services/with-services build/bin/SoundBench
// or PipeWire: tests/services/start-pipewire /tmp/quorvel-bench, and QUORVEL_AUDIO_SERVER=pipewire.
#include "platform/Clock.h"
#include "support/SoundSupport.h"
#include "tests/platform/SoundTestTools.h"

#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (qEnvironmentVariable("QUORVEL_TEST_SINK").isEmpty()) {
        std::fprintf(stderr, "SoundBench: no audio server (QUORVEL_TEST_SINK is not set); see the file's header\n");
        return 1;
    }
    QTemporaryDir dir;
    QString file = dir.filePath(QStringLiteral("CLAPPING.WAV"));
    writeToneWav(file, 0.2, 440);
    QString silence = dir.filePath(QStringLiteral("NONE.WAV"));

    SinkRecorder recorder;
    if (!recorder.start()) {
        std::fprintf(stderr, "SoundBench: parec did not start\n");
        return 1;
    }
    constexpr int rounds = 15;
    std::vector<double> latencies;
    int16_t result = 0;
    for (int i = 0; i < rounds; ++i) {
        int16_t async = 1;
        const double before = platform::Clock::now();
        PlayWave(file, async, result);
        const double arrived = recorder.waitForSound(2.0);
        if (arrived < 0) {
            std::fprintf(stderr, "SoundBench: round %d was never heard\n", i + 1);
            return 1;
        }
        latencies.push_back((arrived - before) * 1000);
        recorder.discard(0.4);  // the rest of the tone and some silence
    }
    recorder.stop();
    int16_t quiet = 3;
    PlayWave(silence, quiet, result);

    std::sort(latencies.begin(), latencies.end());
    const double median = latencies[latencies.size() / 2];
    std::printf("PlayWave flags 1 -> sound at the sink, %d rounds (ms): min %.1f  median %.1f  max %.1f\n", rounds,
                latencies.front(), median, latencies.back());
    std::printf("median / target 50 ms: %.2f (%s)\n", median / 50.0, median < 50.0 ? "within target" : "OVER target");

    QString sixTenths = dir.filePath(QStringLiteral("WRONG.WAV"));
    writeToneWav(sixTenths, 0.6, 660);
    for (const bool otherClient : {false, true}) {
        QProcess other;
        if (otherClient) {
            other.start(QStringLiteral("parec"),
                        {QStringLiteral("-d"), qEnvironmentVariable("QUORVEL_TEST_SINK") + QStringLiteral(".monitor")});
            other.waitForStarted(3000);
            platform::Clock::sleep(500);
        }
        std::vector<double> beyond;
        for (int i = 0; i < 7; ++i) {
            int16_t sync = 0;
            const double before = platform::Clock::now();
            PlayWave(sixTenths, sync, result);
            beyond.push_back((platform::Clock::now() - before - 0.6) * 1000);
        }
        other.kill();
        other.waitForFinished(3000);
        std::sort(beyond.begin(), beyond.end());
        std::printf("PlayWave flags 0, 0.6 s sound, %s: returned after its length + (ms) min %.1f  median %.1f  "
                    "max %.1f (target < 100)\n",
                    otherClient ? "beside a default-latency recorder" : "alone on the sink", beyond.front(),
                    beyond[beyond.size() / 2], beyond.back());
    }
    return 0;
}
