#include "platform/Label.h"

#include "platform/LineBreaks.h"
#include "platform/OleColor.h"
#include "platform/TextMeasure.h"

#include <QAccessible>
#include <QEvent>

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
    if (wordWrap_) {
        setHeight(autoSizedLabel(font(), caption_, QWidget::width()).height());
    } else {
        const QSizeF size = autoSizedLabel(font(), caption_);
        Move(Left(), Top(), size.width(), size.height());
    }
    fitting_ = false;
}

QSizeF autoSizedLabel(const QFont& font, const QString& caption, std::optional<double> wrapWidth)
{
    TextMeasure& measure = TextMeasure::of(font);
    const QString text = shownLineBreaks(caption);
    // Wrap at the width Qt draws with, so the height fits the lines actually shown.
    return wrapWidth ? QSizeF(*wrapWidth, measure.wrappedHeight(text, *wrapWidth)) : measure.oneLine(text);
}

} // namespace platform
