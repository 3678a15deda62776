#include "tools/assets/MusicNote.h"

#include "tools/assets/PictureKit.h"

#include <QLinearGradient>
#include <QPainterPath>

QImage drawMusicNote()
{
    return drawSupersampled({64, 58}, 4, [](QPainter& p) {
        QPainterPath notes;
        for (const QPointF head : {QPointF(16, 46), QPointF(46, 40)}) {
            QPainterPath oval;
            oval.addEllipse(QPointF(0, 0), 8.5, 6);
            notes.addPath(QTransform().translate(head.x(), head.y()).rotate(-22).map(oval));
            notes.addRect(QRectF(head.x() + 5, head.y() - 34, 3.6, 34)); // stems
        }
        QPainterPath beam;
        beam.addPolygon(QPolygonF({{21, 12}, {54.6, 6}, {54.6, 15}, {21, 21}}));
        notes = notes.united(beam).simplified();

        QLinearGradient fill(0, 4, 0, 54);
        fill.setColorAt(0.0, Ink::velvetLight);
        fill.setColorAt(1.0, Ink::velvet);
        p.setPen(inkOutline(2.2));
        p.setBrush(fill);
        p.drawPath(notes);
        // A glint on each note head.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        p.drawEllipse(QPointF(13, 43.5), 2.6, 1.6);
        p.drawEllipse(QPointF(43, 37.5), 2.6, 1.6);
    });
}
