// Raster copy and screen capture figures.
//
// The plain copy of a 1920 x 1080 image is measured against memcpy of the same bytes (target:
// BitBlt SRCCOPY at most 2 times memcpy). CaptureScreen is measured on the display the program
// runs on; for the two screen sizes run it on an Xvfb of each size, e.g.
//   Xvfb :71 -screen 0 1024x768x24 -nolisten tcp -noreset &  DISPLAY=:71 QT_QPA_PLATFORM=xcb bin/DrawingBench
//   Xvfb :72 -screen 0 1920x1080x24 -nolisten tcp -noreset & DISPLAY=:72 QT_QPA_PLATFORM=xcb bin/DrawingBench
// Without an X display (offscreen) the capture benchmark is skipped.
#include "platform/Gdi.h"
#include "support/VBPRNT32.h"

#include <QApplication>
#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <cstring>
#include <iostream>
#include <map>
#include <vector>

using namespace platform;

namespace {

constexpr int width = 1920, height = 1080;

void BM_Memcpy1080p(benchmark::State& state)
{
    std::vector<uint32_t> from(size_t(width) * height, 0xFF123456), to(size_t(width) * height);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * 4);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}
BENCHMARK(BM_Memcpy1080p)->Unit(benchmark::kMicrosecond);

// A memory DC holding a 1920 x 1080 colour bitmap.
struct Canvas {
    HDC dc = CreateCompatibleDC(0);
    HBITMAP bitmap;
    HGDIOBJ old;
    Canvas()
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(0xFF123456);
        bitmap = gdi::createBitmapFromImage(image);
        old = SelectObject(dc, bitmap);
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

void BM_BitBltSrcCopy1080p(benchmark::State& state)
{
    Canvas from, to;
    for (auto _ : state) {
        BitBlt(to.dc, 0, 0, width, height, from.dc, 0, 0, SRCCOPY);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * width * height * 4);
}
BENCHMARK(BM_BitBltSrcCopy1080p)->Unit(benchmark::kMicrosecond);

void BM_BitBltMaskedFrame599x127(benchmark::State& state)
{
    // One frame of the slide's composition: AND with a 1-bit mask, then XOR a colour image.
    Canvas frame, picture;
    const HDC maskDc = CreateCompatibleDC(0);
    const HBITMAP mask = CreateBitmap(599, 127, 1, 1, nullptr);
    const HGDIOBJ old = SelectObject(maskDc, mask);
    for (auto _ : state) {
        BitBlt(frame.dc, 0, 0, 599, 127, maskDc, 0, 0, SRCAND);
        BitBlt(frame.dc, 0, 0, 599, 127, picture.dc, 0, 0, SRCINVERT);
    }
    SelectObject(maskDc, old);
    DeleteObject(mask);
    DeleteDC(maskDc);
}
BENCHMARK(BM_BitBltMaskedFrame599x127)->Unit(benchmark::kMicrosecond);

void BM_CaptureScreen(benchmark::State& state)
{
    if (QGuiApplication::platformName() != QLatin1String("xcb")) {
        state.SkipWithError("needs an X display (QT_QPA_PLATFORM=xcb)");
        return;
    }
    QSize size;
    for (auto _ : state)
        size = CaptureScreen().image().size();
    state.SetLabel(QStringLiteral("%1x%2").arg(size.width()).arg(size.height()).toStdString());
}
BENCHMARK(BM_CaptureScreen)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration so the ratio can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.iterations > 0)
                perIteration[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    std::map<std::string, double> perIteration;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const auto blit = reporter.perIteration.find("BM_BitBltSrcCopy1080p");
    const auto copy = reporter.perIteration.find("BM_Memcpy1080p");
    if (blit != reporter.perIteration.end() && copy != reporter.perIteration.end() && copy->second > 0)
        std::cout << "BitBlt SRCCOPY 1920x1080 / memcpy of the same bytes: " << blit->second / copy->second
                  << " (target <= 2)\n";
    benchmark::Shutdown();
    return 0;
}
