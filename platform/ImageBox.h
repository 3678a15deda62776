#pragma once
// A picture control: either stretches its picture to its own size, or (stretching off)
// takes the picture's size whenever a picture is put into it.
#include "platform/FractionalGeometry.h"

#include <QPixmap>
#include <QWidget>

namespace platform {

class ImageBox : public QWidget, public FractionalGeometry {
    Q_OBJECT
public:
    explicit ImageBox(QWidget* parent);

    QPixmap Picture() const { return picture_; }
    void setPicture(const QPixmap& picture);

    bool Stretch() const { return stretch_; }
    void setStretch(bool on) { stretch_ = on; update(); }

    void Refresh() { repaint(); }

signals:
    void pictureChanged();  // a picture was put into the control

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
    bool stretch_ = false;
};

} // namespace platform
