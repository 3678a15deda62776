#include "platform/Label.h"

#include "platform/LineBreaks.h"
#include "platform/OleColor.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetricsF>
#include <QHash>
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
    if (wordWrap_) {
        setHeight(autoSizedLabel(font(), caption_, QWidget::width()).height());
    } else {
        const QSizeF size = autoSizedLabel(font(), caption_);
        Move(Left(), Top(), size.width(), size.height());
    }
    fitting_ = false;
}

namespace {

// Some glyphs reach below the font's descent (parentheses, a bold j); the last line keeps room
// for the lowest of them whatever the caption, else their feet are cut off (more visibly on a
// scaled screen) and labels of one font would differ in height with their text.
double roomBelowDescent(const QFontMetricsF& metrics)
{
    QString printable;
    for (char16_t c = 32; c < 127; ++c)
        printable.append(QChar(c));
    return std::max(0.0, std::ceil(metrics.boundingRect(printable).bottom() - metrics.descent()));
}

// What measuring a text needs of its font, whatever the text.
struct FontMeasure {
    QFontMetricsF metrics;
    double below;
};

// The bank check measures every text of a bank at each screen size in a handful of fonts: each
// font is looked up and its lowest glyph measured once, not once a text. The cache is bounded,
// as a long session may meet many font sizes.
const FontMeasure& measureOf(const QFont& font)
{
    thread_local QHash<QFont, FontMeasure> measures;
    auto found = measures.constFind(font);
    if (found != measures.cend())
        return *found;
    if (measures.size() >= 64)
        measures.clear();
    const QFontMetricsF metrics(font);
    return *measures.insert(font, FontMeasure{metrics, roomBelowDescent(metrics)});
}

} // namespace

QSizeF autoSizedLabel(const QFont& font, const QString& caption, std::optional<double> wrapWidth)
{
    const auto& [metrics, below] = measureOf(font);
    const QString text = shownLineBreaks(caption);
    if (!wrapWidth) {
        const QSizeF size = metrics.size(0, text);
        return {size.width(), size.height() + below};
    }
    // Wrap at the width Qt draws with, so the height fits the lines actually shown.
    const QRectF bounds(0, 0, *wrapWidth, 1e6);
    const double height = text.isEmpty()
        ? metrics.height()
        : metrics.boundingRect(bounds, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text).height();
    return {*wrapWidth, height + below};
}

} // namespace platform
