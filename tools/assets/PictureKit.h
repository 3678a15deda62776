#pragma once
// Small drawing helpers shared by the picture generators.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QSize>
#include <functional>

// Draws at `factor` times the size, in the final size's coordinates, then scales down smoothly:
// clean anti-aliased edges on pictures as small as 32 pixels.
QImage drawSupersampled(QSize size, int factor, const std::function<void(QPainter&)>& draw);

// The pictures' shared colours, so that portraits, icon and title look like one family.
namespace Ink {
inline const QColor outline{42, 16, 58};      // dark aubergine outline
inline const QColor velvet{112, 38, 150};     // Delvo's purple velvet
inline const QColor velvetLight{160, 84, 200};
inline const QColor gold{255, 206, 58};
inline const QColor tangerine{255, 138, 36};
inline const QColor silver{206, 212, 224};
inline const QColor silverDark{128, 136, 156};
inline const QColor skin{246, 196, 158};
inline const QColor cream{255, 250, 235};
} // namespace Ink

// The family's outline: dark aubergine with round ends and joins, `width` pixels wide.
inline QPen inkOutline(qreal width)
{
    return QPen(Ink::outline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
