#pragma once
// What the transpik tests share: a shown form (a Surface in pixels) with a patterned
// background, a control on it, pictures with pure-green parts, a clock that never waits,
// and the call record of one run.
#include "platform/Clock.h"
#include "platform/Surface.h"
#include "transpik/transpik.h"

#include <QImage>
#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

constexpr uint32_t pureGreen = 0x0000FF00;  // the mask colour of the title artwork

// A clock for tests: time moves only by `tick` per reading and by every pause, so nothing
// really waits and every run reads the same times.
class FakeClock : public platform::Clock::Source {
public:
    explicit FakeClock(double tick = 0) : tick_(tick) { platform::Clock::setSource(this); }
    ~FakeClock() override { platform::Clock::setSource(nullptr); }
    double now() override
    {
        const double reading = time_;
        time_ += tick_;
        return reading;
    }
    void sleep(int64_t milliseconds) override
    {
        pauses.push_back(milliseconds);
        time_ += milliseconds / 1000.0;
    }
    std::vector<int64_t> pauses;  // only the pauses above 0 ms reach the clock

private:
    double time_ = 1000;
    double tick_;
};

// A picture whose pixel (x, y) has a colour made of x and y, with a pure-green frame and a
// pure-green diagonal band, so both kept and left-out pixels are everywhere.
QImage titleLikeImage(int width, int height);
// The colour of pixel (x, y) of the form's background pattern.
QRgb backgroundPixel(int x, int y);

class TranspikTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Places a control with `picture` at (left, top) of the form, transparent, mask colour green.
    transpik& makeControl(const QImage& picture, int left, int top);
    // What the form's own screen image holds at the control's place, for comparisons.
    QImage formArea(const QRect& rect) const { return form->screenImage().copy(rect); }
    // The BitBlt entries of the record whose destination is `dc`, as "x, y, w, h".
    static QStringList copiesOnto(const QStringList& calls, const QString& dc);
    static QString dcName(platform::HDC dc);

    std::unique_ptr<platform::Surface> form;
    std::unique_ptr<transpik> control;
};
