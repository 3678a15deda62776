// Test main for every GoogleTest executable: creates the QApplication that widgets, pictures
// and the media player need, on the platform that tests/services/with-services chose.
#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the cases must not need a display: CTest lists them before the fixtures run.
    if (GTEST_FLAG_GET(list_tests)) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
