#include "tools/assets/TitleArt.h"

#include "tools/assets/PictureKit.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

constexpr QSize titleSize{599, 127};
constexpr QRgb keyGreen = qRgb(0, 255, 0);

QPainterPath star(QPointF centre, double outer, double inner, double turn)
{
    QPainterPath path;
    for (int i = 0; i < 10; ++i) {
        const double radius = i % 2 ? inner : outer;
        const double angle = qDegreesToRadians(turn - 90.0 + 36.0 * i);
        const QPointF p = centre + QPointF(radius * std::cos(angle), radius * std::sin(angle));
        i == 0 ? path.moveTo(p) : path.lineTo(p);
    }
    path.closeSubpath();
    return path;
}

// A single eighth note: head, stem and flag.
QPainterPath eighthNote(QPointF head, double size)
{
    QPainterPath path;
    path.addEllipse(head, size * 0.62, size * 0.45);
    path.addRect(QRectF(head.x() + size * 0.45, head.y() - size * 2.4, size * 0.2, size * 2.4));
    QPainterPath flag;
    flag.moveTo(head.x() + size * 0.65, head.y() - size * 2.4);
    flag.cubicTo(head.x() + size * 1.3, head.y() - size * 1.9, head.x() + size * 1.4,
                 head.y() - size * 1.3, head.x() + size * 1.1, head.y() - size * 0.9);
    flag.lineTo(head.x() + size * 0.65, head.y() - size * 1.7);
    flag.closeSubpath();
    return path.united(flag);
}

// The lettering, one glyph at a time: each letter tilts and bounces a little, and the capitals
// stand taller, so the line reads as lively rather than typeset.
QPainterPath lettering()
{
    const QString text = QStringLiteral("The Quorvel Challenge");
    QFont font(QStringLiteral("Liberation Sans"));
    font.setBold(true);
    font.setItalic(true);
    font.setPixelSize(58);
    const QFontMetricsF metrics(font);

    QPainterPath all;
    double x = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const double scale = c.isUpper() ? 1.22 : 1.0;
        if (!c.isSpace()) {
            QPainterPath glyph;
            glyph.addText(0, 0, font, QString(c));
            QTransform t;
            t.translate(x, 18.0 * std::sin(i * 0.85) * 0.4);
            t.rotate(i % 2 ? 5.0 : -5.0);
            t.scale(scale, scale);
            all.addPath(t.map(glyph));
        }
        x += metrics.horizontalAdvance(c) * scale * (c.isSpace() ? 0.7 : 0.98);
    }
    return all;
}

QImage drawFullColour()
{
    QImage image(titleSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    // Fit the lettering into the width with room for its outline, a little below the middle,
    // leaving the top band for the stars.
    QPainterPath text = lettering();
    const QRectF box = text.boundingRect();
    const double fit = std::min(1.0, (titleSize.width() - 24.0) / box.width());
    text = QTransform()
               .translate(titleSize.width() / 2.0, 76)
               .scale(fit, fit)
               .translate(-box.center().x(), -box.center().y())
               .map(text);
    const QRectF placed = text.boundingRect();

    const QPen outlinePen = inkOutline(7);
    p.setPen(outlinePen);
    p.setBrush(Ink::outline);
    p.drawPath(text.translated(3, 4)); // the drop shadow
    QLinearGradient fill(0, placed.top(), 0, placed.bottom());
    fill.setColorAt(0.0, Ink::cream);
    fill.setColorAt(0.3, Ink::gold);
    fill.setColorAt(1.0, Ink::tangerine);
    p.setBrush(fill);
    p.drawPath(text);
    p.setPen(Qt::NoPen);
    p.setBrush(fill);
    p.drawPath(text); // again without the pen, so the outline stays outside the letters' faces

    // Stars and notes around the words, each with the same dark outline.
    struct Ornament {
        QPainterPath shape;
        QColor colour;
    };
    const std::array<Ornament, 6> ornaments{{
        {star({16, 18}, 12, 5, 10), Ink::gold},
        {star({583, 17}, 12, 5, -12), Ink::gold},
        {star({300, 13}, 8, 3.5, 0), Ink::cream},
        {star({200, 17}, 6, 2.5, 20), Ink::tangerine},
        {eighthNote({92, 24}, 6), Ink::velvetLight},
        {eighthNote({470, 22}, 6), Ink::velvetLight},
    }};
    for (const Ornament& o : ornaments) {
        p.setPen(inkOutline(3));
        p.setBrush(o.colour);
        p.drawPath(o.shape);
    }
    return image;
}

// The palette: the key, the artwork's own colours, and eleven steps between every two of them,
// which covers every blend that anti-aliasing makes between neighbouring colours.
QList<QRgb> titlePalette()
{
    const std::array<QColor, 7> inks{Ink::outline,  Ink::velvet, Ink::velvetLight, Ink::gold,
                                     Ink::tangerine, Ink::cream, Ink::silverDark};
    QList<QRgb> palette{keyGreen};
    for (const QColor& c : inks)
        palette.append(c.rgb());
    for (size_t a = 0; a < inks.size(); ++a)
        for (size_t b = a + 1; b < inks.size(); ++b)
            for (int step = 1; step <= 11; ++step) {
                const double t = step / 12.0;
                palette.append(qRgb(qRound(inks[a].red() * (1 - t) + inks[b].red() * t),
                                    qRound(inks[a].green() * (1 - t) + inks[b].green() * t),
                                    qRound(inks[a].blue() * (1 - t) + inks[b].blue() * t)));
            }
    while (palette.size() < 256)
        palette.append(Ink::outline.rgb());
    for (qsizetype i = 1; i < palette.size(); ++i)
        if (isNearGreen(QColor(palette[i])))
            throw std::logic_error("title palette holds a near-green colour");
    return palette;
}

} // namespace

bool isNearGreen(QColor colour)
{
    return colour.green() >= 128 && colour.green() - std::max(colour.red(), colour.blue()) >= 64;
}

QImage drawTitleArt()
{
    // Alpha is thresholded: a pixel is either key green or fully drawn. A half-covered edge pixel
    // is laid over the outline colour, never blended towards the green.
    const QImage art = drawFullColour();
    QImage keyed(titleSize, QImage::Format_RGB32);
    for (int y = 0; y < titleSize.height(); ++y) {
        const QRgb* in = reinterpret_cast<const QRgb*>(art.constScanLine(y));
        QRgb* out = reinterpret_cast<QRgb*>(keyed.scanLine(y));
        for (int x = 0; x < titleSize.width(); ++x) {
            const int a = qAlpha(in[x]);
            const auto over = [a](int premultiplied, int under) {
                return premultiplied + (255 - a) * under / 255;
            };
            out[x] = a < 128 ? keyGreen
                             : qRgb(over(qRed(in[x]), Ink::outline.red()),
                                    over(qGreen(in[x]), Ink::outline.green()),
                                    over(qBlue(in[x]), Ink::outline.blue()));
        }
    }
    return keyed.convertToFormat(QImage::Format_Indexed8, titlePalette(),
                                 Qt::ThresholdDither | Qt::ThresholdAlphaDither);
}
