#pragma once
// Position and size of a control in fractional pixels. The layout works with values such as
// a left of 219.75; the widget itself is placed at the rounded rectangle.
#include <QRectF>

class QWidget;

namespace platform {

class FractionalGeometry {
public:
    double Left() const { return rect_.x(); }
    double Top() const { return rect_.y(); }
    double Width() const { return rect_.width(); }
    double Height() const { return rect_.height(); }
    QRectF fractionalRect() const { return rect_; }

    void setLeft(double left);
    void setTop(double top);
    void setWidth(double width);
    void setHeight(double height);
    void Move(double left, double top);
    void Move(double left, double top, double width, double height);

protected:
    explicit FractionalGeometry(QWidget& widget) : widget_(widget) {}
    ~FractionalGeometry() = default;
    // Called after the width changed, so a wrapping label can take its new height.
    virtual void widthChanged() {}

private:
    void apply();

    QWidget& widget_;
    QRectF rect_;
};

} // namespace platform
