#include "tools/assets/WindowIcon.h"

#include "tools/assets/PictureKit.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainterPath>

QImage drawWindowIcon(int size)
{
    // Supersample small sizes harder: at 32 pixels every edge pixel counts.
    const int factor = size < 100 ? 8 : 4;
    return drawSupersampled({size, size}, factor, [size](QPainter& p) {
        p.scale(size / 100.0, size / 100.0); // the design lives on a 100 x 100 grid

        QLinearGradient velvet(0, 0, 0, 100);
        velvet.setColorAt(0.0, Ink::velvetLight);
        velvet.setColorAt(1.0, Ink::velvet);
        p.setPen(QPen(Ink::outline, 4));
        p.setBrush(velvet);
        p.drawRoundedRect(QRectF(3, 3, 94, 94), 20, 20);

        QFont font(QStringLiteral("Liberation Sans"));
        font.setBold(true);
        font.setPixelSize(80);
        QPainterPath q;
        q.addText(0, 0, font, QStringLiteral("Q"));
        const QRectF box = q.boundingRect();
        q.translate(42 - box.center().x(), 56 - box.center().y());
        QPainterPath note; // a little note standing at the letter's shoulder
        note.addEllipse(QPointF(77, 34), 7, 5.5);
        note.addRect(QRectF(80.5, 10, 3.5, 24));
        QPainterPath flag;
        flag.moveTo(84, 10);
        flag.cubicTo(92, 13, 93, 19, 89, 25);
        flag.lineTo(84, 17);
        flag.closeSubpath();
        note = note.united(flag).simplified();

        QLinearGradient gold(0, 15, 0, 90);
        gold.setColorAt(0.0, Ink::cream);
        gold.setColorAt(0.35, Ink::gold);
        gold.setColorAt(1.0, Ink::tangerine);
        p.setPen(inkOutline(5));
        p.setBrush(gold);
        p.drawPath(q);
        p.setPen(inkOutline(3));
        p.setBrush(Ink::cream);
        p.drawPath(note);
    });
}
