#include "Label.h"

#include "LineBreaks.h"
#include "OleColor.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

namespace platform {

Label::Label(QWidget* parent)
    : QLabel(parent), FractionalGeometry(static_cast<QWidget&>(*this))
{
    setTextFormat(Qt::PlainText);
    setTextInteractionFlags(Qt::NoTextInteraction);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setMargin(0);
    setIndent(0);
    setForeColor(0);
}

void Label::setCaption(const QString& caption)
{
    const bool wasBlank = text().isEmpty();
    caption_ = caption;
    setText(shownLineBreaks(caption));
    fitToText();
    // A label that shows nothing is no object for a screen reader: it leaves and comes back as
    // its text empties and fills, as if it were hidden and shown.
    if (isVisible() && wasBlank != text().isEmpty()) {
        QAccessibleEvent event(this, text().isEmpty() ? QAccessible::ObjectHide : QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&event);
    }
}

void Label::setAutoSize(bool on)
{
    autoSize_ = on;
    fitToText();
}

void Label::setWordWrap(bool on)
{
    wordWrap_ = on;
    QLabel::setWordWrap(on);
    fitToText();
}

void Label::setFontSize(double points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);  // the FontChange event refits the label
}

void Label::setForeColor(uint32_t color)
{
    foreColor_ = color;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, QColor(oleColorToRgb(color)));
    setPalette(p);
}

void Label::setBackColor(uint32_t color)
{
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(oleColorToRgb(color)));
    setPalette(p);
    setAutoFillBackground(true);
}

void Label::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fitToText();
}

void Label::widthChanged()
{
    if (wordWrap_)
        fitToText();
}

void Label::fitToText()
{
    if (!autoSize_ || fitting_)
        return;
    fitting_ = true;
    const QFontMetricsF metrics(font());
    const QString text = shownLineBreaks(caption_);
    // Some glyphs reach below the font's descent (parentheses, a bold j); the last line keeps
    // room for them, else their feet are cut off, more visibly on a scaled screen.
    const double overhang =
        text.isEmpty() ? 0 : std::max(0.0, std::ceil(metrics.boundingRect(text).bottom() - metrics.descent()));
    if (wordWrap_) {
        // Wrap at the width Qt draws with, so the height fits the lines actually shown.
        const QRectF bounds(0, 0, QWidget::width(), 1e6);
        const double height = text.isEmpty()
            ? metrics.height()
            : metrics.boundingRect(bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text).height();
        setHeight(height + overhang);
    } else {
        const QSizeF size = metrics.size(0, text);
        Move(Left(), Top(), size.width(), size.height() + overhang);
    }
    fitting_ = false;
}

} // namespace platform
