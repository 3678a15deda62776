#include "tools/assets/PictureKit.h"

QImage drawSupersampled(QSize size, int factor, const std::function<void(QPainter&)>& draw)
{
    QImage big(size * factor, QImage::Format_ARGB32_Premultiplied);
    big.fill(Qt::transparent);
    {
        QPainter painter(&big);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(factor, factor);
        draw(painter);
    }
    return big.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
        .convertToFormat(QImage::Format_ARGB32);
}
