// Test main for every GoogleTest executable: creates the QApplication that widgets, pictures
// and the media player need, on the platform that tests/services/with-services chose.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the cases must not need a display: CTest lists them before the fixtures run.
    if (GTEST_FLAG_GET(list_tests)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const int result = RUN_ALL_TESTS();
    // Binaries that played sound end here, their outcome written, without tearing down the
    // audio libraries: at process exit libpulse's connection thread can still dispatch into a
    // context that the teardown frees, which aborted a binary after all its tests had passed.
    if (qEnvironmentVariableIsSet("QUORVEL_NEEDS_AUDIO")) {
        std::fflush(nullptr);
        std::_Exit(result);
    }
    return result;
}
