#include "platform/FractionalGeometry.h"

#include "core/Numbers.h"

#include <QWidget>

namespace platform {

void FractionalGeometry::setLeft(double left) { Move(left, rect_.y()); }
void FractionalGeometry::setTop(double top) { Move(rect_.x(), top); }

void FractionalGeometry::setWidth(double width)
{
    Move(rect_.x(), rect_.y(), width, rect_.height());
}

void FractionalGeometry::setHeight(double height)
{
    Move(rect_.x(), rect_.y(), rect_.width(), height);
}

void FractionalGeometry::Move(double left, double top)
{
    Move(left, top, rect_.width(), rect_.height());
}

void FractionalGeometry::Move(double left, double top, double width, double height)
{
    const bool newWidth = width != rect_.width();
    rect_ = QRectF(left, top, width < 0 ? 0 : width, height < 0 ? 0 : height);
    apply();
    if (newWidth)
        widthChanged();
}

void FractionalGeometry::apply()
{
    // Each measure is rounded on its own, halves to the even neighbour, as the game rounds.
    widget_.setGeometry(static_cast<int>(roundHalfEven(rect_.x())),
                        static_cast<int>(roundHalfEven(rect_.y())),
                        static_cast<int>(roundHalfEven(rect_.width())),
                        static_cast<int>(roundHalfEven(rect_.height())));
}

} // namespace platform
