#include "tests/transpik/TranspikFixture.h"

#include "platform/CallRecorder.h"
#include "core/GameState.h"
#include "platform/Picture.h"

#include <QApplication>
#include <QRegularExpression>

QImage titleLikeImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool leftOut = x == 0 || y == 0 || x == width - 1 || y == height - 1 || (x + y) % 7 == 3;
            image.setPixel(x, y, leftOut ? qRgb(0, 255, 0) : qRgb((x * 5) % 200 + 30, (y * 9) % 200, 200));
        }
    }
    return image;
}

QRgb backgroundPixel(int x, int y) { return qRgb(250, (x * 3 + y) % 256, (y * 5) % 100); }

void TranspikTest::SetUp()
{
    resetGame();
    form = std::make_unique<platform::Surface>();
    form->setScaleMode(platform::vbPixels);
    form->resize(320, 200);
    QImage background(320, 200, QImage::Format_RGB32);
    for (int y = 0; y < background.height(); ++y)
        for (int x = 0; x < background.width(); ++x)
            background.setPixel(x, y, backgroundPixel(x, y));
    form->setPicture(platform::Picture::fromImage(background));
    form->show();
    QApplication::processEvents();
}

void TranspikTest::TearDown()
{
    control.reset();
    form.reset();
}

transpik& TranspikTest::makeControl(const QImage& picture, int left, int top)
{
    control = std::make_unique<transpik>(*form);
    control->setBackStyle(0);
    control->setMaskColor(pureGreen);
    control->setPicture(platform::Picture::fromImage(picture));
    control->extender().Move(float(left), float(top));
    control->extender().setVisible(true);
    QApplication::processEvents();
    return *control;
}

QStringList TranspikTest::copiesOnto(const QStringList& calls, const QString& dc)
{
    static const QRegularExpression blt(QStringLiteral("^BitBlt\\((\\w+), (-?\\d+, -?\\d+, -?\\d+, -?\\d+),"));
    QStringList rects;
    for (const QString& call : calls) {
        const auto m = blt.match(call);
        if (m.hasMatch() && m.captured(1) == dc)
            rects << m.captured(2);
    }
    return rects;
}

QString TranspikTest::dcName(platform::HDC dc) { return platform::CallRecorder::handleName(dc); }
