#pragma once
// A push button of the game's windows with fractional geometry. Space and Enter press the
// button that has the focus.
#include "platform/FractionalGeometry.h"

#include <QPushButton>

namespace platform {

class CommandButton : public QPushButton, public FractionalGeometry {
    Q_OBJECT
public:
    explicit CommandButton(QWidget* parent, const QString& caption = {});

    double FontSize() const { return font().pointSizeF(); }
    void setFontSize(double points);
};

} // namespace platform
