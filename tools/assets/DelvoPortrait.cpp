#include "tools/assets/DelvoPortrait.h"

#include "tools/assets/PictureKit.h"

#include <QPainterPath>
#include <QRadialGradient>

namespace {

constexpr QSize portraitSize{80, 107};
const QPen outlinePen = inkOutline(1.3);

void drawBackdrop(QPainter& p)
{
    QRadialGradient spot(40, 42, 70);
    spot.setColorAt(0.0, QColor(250, 244, 255));
    spot.setColorAt(1.0, QColor(176, 156, 210));
    p.fillRect(QRectF(0, 0, 80, 107), spot);
}

void drawBody(QPainter& p)
{
    p.setPen(outlinePen);
    p.setBrush(Ink::skin);
    p.drawRect(QRectF(33, 72, 14, 16)); // neck

    QPainterPath jacket;
    jacket.moveTo(2, 108);
    jacket.cubicTo(4, 92, 16, 86, 30, 84);
    jacket.lineTo(40, 100);
    jacket.lineTo(50, 84);
    jacket.cubicTo(64, 86, 76, 92, 78, 108);
    jacket.closeSubpath();
    p.setBrush(Ink::velvet);
    p.drawPath(jacket);

    QPainterPath shirt; // the open collar
    shirt.moveTo(31, 84);
    shirt.lineTo(40, 100);
    shirt.lineTo(49, 84);
    shirt.lineTo(40, 88);
    shirt.closeSubpath();
    p.setBrush(Ink::cream);
    p.drawPath(shirt);

    // The teaspoon on its chain.
    p.setPen(QPen(Ink::silverDark, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(33, 80, 14, 14), 200 * 16, 140 * 16);
    p.setPen(outlinePen);
    p.setBrush(Ink::silver);
    p.drawEllipse(QRectF(38.2, 94, 3.6, 5));
    p.drawLine(QPointF(40, 94), QPointF(40, 90.5));
}

void drawHead(QPainter& p)
{
    p.setPen(outlinePen);
    p.setBrush(Ink::skin);
    p.drawEllipse(QPointF(21.5, 58), 3.5, 5); // ears
    p.drawEllipse(QPointF(58.5, 58), 3.5, 5);
    p.drawEllipse(QPointF(40, 56), 18.5, 21.5);
}

// The famous silver quiff: it stands tall and proud, and wilts when Delvo is dismayed.
void drawQuiff(QPainter& p, Mood mood)
{
    const double droop = mood == Mood::Dismayed ? 9 : 0;
    const double lift = mood == Mood::Delighted ? -3 : 0;
    QPainterPath quiff;
    quiff.moveTo(21, 52);
    quiff.cubicTo(17, 30, 26 + lift, 12 + lift, 44, 8 + lift + droop * 0.6);
    quiff.cubicTo(54, 5 + lift + droop, 64, 8 + lift + droop * 1.4, 70, 4 + lift + droop * 2.2);
    quiff.cubicTo(68, 16 + droop, 62, 24 + droop * 0.5, 59, 30);
    quiff.cubicTo(61, 38, 60, 46, 59, 52);
    quiff.cubicTo(56, 42, 50, 37, 40, 37);
    quiff.cubicTo(30, 37, 24, 42, 21, 52);
    quiff.closeSubpath();
    QLinearGradient shine(20, 6, 60, 50);
    shine.setColorAt(0.0, Qt::white);
    shine.setColorAt(0.5, Ink::silver);
    shine.setColorAt(1.0, Ink::silverDark);
    p.setPen(outlinePen);
    p.setBrush(shine);
    p.drawPath(quiff);

    p.setPen(QPen(Ink::silverDark, 0.9, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int strand = 0; strand < 3; ++strand) {
        QPainterPath line;
        line.moveTo(27 + strand * 6, 40 - strand);
        line.cubicTo(28 + strand * 5, 26 + lift, 40 + strand * 6, 16 + lift + droop * 0.7,
                     52 + strand * 5, 13 + lift + droop * (1.0 + strand * 0.3));
        p.drawPath(line);
    }
}

void drawFace(QPainter& p, Mood mood)
{
    const QPen featurePen = inkOutline(1.5);
    p.setPen(featurePen);
    p.setBrush(Qt::NoBrush);

    // Eyebrows: level, raised high, or knotted upwards in the middle.
    switch (mood) {
    case Mood::Neutral:
        p.drawLine(QPointF(28, 47), QPointF(36, 47));
        p.drawLine(QPointF(44, 47), QPointF(52, 47));
        break;
    case Mood::Delighted:
        p.drawArc(QRectF(27, 42, 10, 6), 20 * 16, 140 * 16);
        p.drawArc(QRectF(43, 42, 10, 6), 20 * 16, 140 * 16);
        break;
    case Mood::Dismayed:
        p.drawLine(QPointF(28, 48), QPointF(36, 44.5));
        p.drawLine(QPointF(44, 44.5), QPointF(52, 48));
        break;
    }

    // Eyes.
    if (mood == Mood::Delighted) {
        p.drawArc(QRectF(28, 52, 8, 7), 0, 180 * 16); // squeezed shut with joy
        p.drawArc(QRectF(44, 52, 8, 7), 0, 180 * 16);
    } else {
        const double r = mood == Mood::Dismayed ? 4.2 : 3.4;
        const double pupil = mood == Mood::Dismayed ? 1.1 : 1.8;
        p.setBrush(Qt::white);
        p.setPen(QPen(Ink::outline, 1.0));
        p.drawEllipse(QPointF(32, 54), r, r * 1.1);
        p.drawEllipse(QPointF(48, 54), r, r * 1.1);
        p.setPen(Qt::NoPen);
        p.setBrush(Ink::outline);
        p.drawEllipse(QPointF(32.5, 54.5), pupil, pupil);
        p.drawEllipse(QPointF(48.5, 54.5), pupil, pupil);
    }

    // Nose.
    p.setPen(featurePen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(37, 57, 6, 6), 200 * 16, 140 * 16);

    // Mouth, and what goes with it.
    switch (mood) {
    case Mood::Neutral: {
        QPainterPath smile;
        smile.moveTo(33, 68);
        smile.quadTo(40, 70.5, 47, 68);
        p.drawPath(smile);
        break;
    }
    case Mood::Delighted: {
        QPainterPath grin;
        grin.moveTo(29, 65);
        grin.quadTo(40, 67, 51, 65);
        grin.cubicTo(49, 78, 31, 78, 29, 65);
        p.setBrush(QColor(120, 20, 40));
        p.drawPath(grin);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(31.5, 66, 17, 3)); // teeth
        p.setBrush(QColor(236, 96, 120));
        p.drawEllipse(QPointF(40, 72.5), 5, 2.2); // tongue
        p.setBrush(QColor(255, 120, 130, 150));
        p.drawEllipse(QPointF(26, 64), 3.5, 2.3); // rosy cheeks
        p.drawEllipse(QPointF(54, 64), 3.5, 2.3);
        break;
    }
    case Mood::Dismayed: {
        QPainterPath gasp;
        gasp.moveTo(33, 72);
        gasp.cubicTo(34, 64, 46, 64, 47, 72);
        gasp.quadTo(40, 69.5, 33, 72);
        p.setBrush(QColor(120, 20, 40));
        p.drawPath(gasp);
        QPainterPath drop; // a bead of sweat at the temple
        drop.moveTo(62, 38);
        drop.cubicTo(66, 44, 66, 48, 62, 48);
        drop.cubicTo(58, 48, 58, 44, 62, 38);
        p.setPen(QPen(QColor(40, 80, 150), 0.9));
        p.setBrush(QColor(140, 200, 255));
        p.drawPath(drop);
        break;
    }
    }
}

// Gold sparkles around a delighted Delvo.
void drawSparkles(QPainter& p)
{
    p.setPen(QPen(Ink::outline, 0.6));
    p.setBrush(Ink::gold);
    for (const QPointF c : {QPointF(9, 14), QPointF(72, 40), QPointF(11, 70)}) {
        QPainterPath sparkle;
        sparkle.moveTo(c + QPointF(0, -6));
        sparkle.quadTo(c, c + QPointF(6, 0));
        sparkle.quadTo(c, c + QPointF(0, 6));
        sparkle.quadTo(c, c + QPointF(-6, 0));
        sparkle.quadTo(c, c + QPointF(0, -6));
        p.drawPath(sparkle);
    }
}

} // namespace

QImage drawDelvo(Mood mood)
{
    QImage portrait = drawSupersampled(portraitSize, 4, [mood](QPainter& p) {
        drawBackdrop(p);
        drawBody(p);
        drawHead(p);
        drawQuiff(p, mood);
        drawFace(p, mood);
        if (mood == Mood::Delighted)
            drawSparkles(p);
    });
    if (mood == Mood::Neutral)
        return portrait.convertToFormat(QImage::Format_Grayscale8);
    return portrait.convertToFormat(QImage::Format_RGB32);
}
