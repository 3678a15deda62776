#pragma once
// A label of the game's windows: plain text only (bank text is data, never markup, and an
// ampersand marks no access key), fractional geometry, optionally sized to its text and
// wrapping its words at its width. A bare carriage return in the caption shows as a line break.
#include "platform/FractionalGeometry.h"

#include <QLabel>
#include <cstdint>
#include <optional>

namespace platform {

class Label : public QLabel, public FractionalGeometry {
    Q_OBJECT
public:
    explicit Label(QWidget* parent);

    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);

    // AutoSize: the label takes the size of its text. With WordWrap it keeps its width and
    // takes the height of the wrapped text; without, it takes the width of its longest line.
    void setAutoSize(bool on);
    void setWordWrap(bool on);

    double FontSize() const { return font().pointSizeF(); }
    void setFontSize(double points);

    uint32_t ForeColor() const { return foreColor_; }
    void setForeColor(uint32_t color);
    void setBackColor(uint32_t color);

    // An alert label carries a message of the window (a warning, a verdict); a screen reader
    // finds it by its role.
    bool Alert() const { return alert_; }
    void setAlert(bool on) { alert_ = on; }

protected:
    void changeEvent(QEvent* event) override;
    void widthChanged() override;

private:
    void fitToText();

    QString caption_;
    bool autoSize_ = false;
    bool wordWrap_ = false;
    bool fitting_ = false;
    bool alert_ = false;
    uint32_t foreColor_ = 0;
};

// The size an auto-sized label takes for `caption` in `font`: one line per line break, or with
// `wrapWidth` its words wrapped at that width (the width stays, the height follows the lines).
// Needs no window, so a tool can measure texts as the game will show them.
QSizeF autoSizedLabel(const QFont& font, const QString& caption, std::optional<double> wrapWidth = {});

} // namespace platform
