#include "platform/ImageBox.h"

#include <QPainter>

namespace platform {

ImageBox::ImageBox(QWidget* parent)
    : QWidget(parent), FractionalGeometry(static_cast<QWidget&>(*this))
{
}

void ImageBox::setPicture(const QPixmap& picture)
{
    picture_ = picture;
    if (!stretch_ && !picture_.isNull()) {
        const QSizeF size = picture_.deviceIndependentSize();
        Move(Left(), Top(), size.width(), size.height());
    }
    update();
    emit pictureChanged();
}

void ImageBox::paintEvent(QPaintEvent*)
{
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_)
        painter.drawPixmap(rect(), picture_);
    else
        painter.drawPixmap(0, 0, picture_);
}

} // namespace platform
