#include "tools/assets/EditorIcon.h"

#include "tools/assets/PictureKit.h"
#include "tools/assets/WindowIcon.h"

#include <QPainterPath>

QImage drawEditorIcon(int size)
{
    const QImage game = drawWindowIcon(size);
    const int factor = size < 100 ? 8 : 4;
    return drawSupersampled({size, size}, factor, [size, &game](QPainter& p) {
        p.drawImage(QRectF(0, 0, size, size), game);
        p.scale(size / 100.0, size / 100.0);  // the design lives on a 100 x 100 grid
        // A pencil lying from the lower right towards the middle, its tip at (52, 52).
        p.translate(52, 52);
        p.rotate(45);
        p.setPen(inkOutline(3.5));
        QPainterPath tip;
        tip.moveTo(0, 0);
        tip.lineTo(11, -7);
        tip.lineTo(11, 7);
        tip.closeSubpath();
        p.setBrush(Ink::skin);
        p.drawPath(tip);
        p.setBrush(Ink::tangerine);
        p.drawRect(QRectF(11, -7, 34, 14));
        p.setBrush(Ink::silver);
        p.drawRect(QRectF(45, -7, 7, 14));
        p.setBrush(Ink::outline);
        p.drawEllipse(QPointF(2.5, 0), 2, 2);
    });
}
