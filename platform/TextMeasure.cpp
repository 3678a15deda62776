#include "platform/TextMeasure.h"

#include <QHash>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace platform {

namespace {

// Some glyphs reach below the font's descent (parentheses, a bold j); the last line keeps room
// for the lowest of them whatever the text, else their feet are cut off (more visibly on a
// scaled screen) and labels of one font would differ in height with their text.
double roomBelowDescent(const QFontMetricsF& metrics)
{
    QString printable;
    for (char16_t c = 32; c < 127; ++c)
        printable.append(QChar(c));
    return std::max(0.0, std::ceil(metrics.boundingRect(printable).bottom() - metrics.descent()));
}

constexpr int wrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

bool isPrintableAscii(char16_t c) { return c >= 32 && c < 127; }
bool isAsciiLetterOrDigit(char16_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'); }
bool isClosingMark(char16_t c) { return c == '.' || c == ',' || c == ':' || c == ';' || c == '?' || c == '!'; }

// Words whose only break opportunities are the single spaces between them, wherever Qt's line
// breaking is concerned: each starts with a letter or digit, holds letters, digits and quotes,
// and may end in closing marks (a mark inside a word, or a word that starts with one, can move
// a break).
bool isPlainWords(QStringView text)
{
    bool wordStart = true;
    bool closing = false;
    for (const QChar ch : text) {
        const char16_t c = ch.unicode();
        if (c == ' ') {
            if (wordStart)
                return false;
            wordStart = true;
            closing = false;
        } else if (wordStart) {
            if (!isAsciiLetterOrDigit(c))
                return false;
            wordStart = false;
        } else if (isClosingMark(c)) {
            closing = true;
        } else if (closing || !(isAsciiLetterOrDigit(c) || c == '\'' || c == '"')) {
            return false;
        }
    }
    return !wordStart;
}

// Texts whose shaping shows whether a font is pairwise: ligatures, kerning, marks and spaces.
constexpr const char16_t* pairwiseProbes[] = {
    u"office baffle affluent fjord fi fl ff ffi ffl fff",
    u"AVAWAY To. Ta, LT Wo Yo P. F, r. y. \"Yo\" 'T' Av",
    u"Which of these did Delvo do first, and where?",
    u"(f) [j] {g} f/ j- 0123456789. 1/2 3.5 10% $4 #1 @x a  b ~`^_|\\<>=+*&",
};

} // namespace

TextMeasure& TextMeasure::of(const QFont& font)
{
    // A long session may meet many font sizes: the cache is bounded. The bank check asks in
    // turn for the few fonts its layouts hold, so those are first recognised as the same
    // objects, without hashing them.
    struct Recent {
        QFont font;
        TextMeasure* measure = nullptr;
    };
    struct Measures {
        QHash<QFont, std::shared_ptr<TextMeasure>> byFont;
        std::array<Recent, 4> recent;
        size_t next = 0;
    };
    thread_local Measures measures;
    for (const Recent& r : measures.recent) {
        if (r.measure && font.isCopyOf(r.font))
            return *r.measure;
    }
    if (measures.byFont.size() >= 64 && !measures.byFont.contains(font)) {
        measures.recent = {};
        measures.byFont.clear();
    }
    std::shared_ptr<TextMeasure>& measure = measures.byFont[font];
    if (!measure)
        measure.reset(new TextMeasure(font));
    measures.recent[measures.next++ % measures.recent.size()] = {font, measure.get()};
    return *measure;
}

TextMeasure::TextMeasure(const QFont& font)
    : metrics_(font),
      below_(roomBelowDescent(metrics_)),
      lineHeight_(metrics_.size(0, QStringLiteral("x")).height()),
      kerning_(128 * 128, std::numeric_limits<float>::quiet_NaN())
{
    bool everyGlyphInFont = true;
    for (char16_t c = 32; c < 127; ++c) {
        const QString glyph(QChar{c});
        advance_[c] = metrics_.horizontalAdvance(glyph);
        overhang_[c] = metrics_.size(0, glyph).width() - advance_[c];
        everyGlyphInFont = everyGlyphInFont && metrics_.inFont(QChar{c});
    }
    // A glyph from a fallback font could change the line's height; a font that shapes more than
    // pairs (a ligature of three, a contextual kerning) is measured by Qt's layout alone.
    pairwise_ = everyGlyphInFont && std::all_of(std::begin(pairwiseProbes), std::end(pairwiseProbes), [&](const char16_t* probe) {
        const QString text = QString::fromUtf16(probe);
        const QSizeF size = metrics_.size(0, text);
        return sumOfPairs(text) == size.width() && size.height() == lineHeight_;
    });
}

// The kerning of a pair is learnt from Qt's layout the first time the pair is met.
inline double TextMeasure::kerning(char16_t left, char16_t right)
{
    const float pair = kerning_[left * 128 + right];
    return std::isnan(pair) ? learnKerning(left, right) : pair;
}

double TextMeasure::learnKerning(char16_t left, char16_t right)
{
    const QChar both[2] = {QChar{left}, QChar{right}};
    const double pair = metrics_.horizontalAdvance(QString(both, 2)) - advance_[left] - advance_[right];
    kerning_[left * 128 + right] = static_cast<float>(pair);
    return pair;
}

QSizeF TextMeasure::oneLine(const QString& text)
{
    if (const std::optional<double> width = pairwiseWidth(text))
        return {*width, lineHeight_ + below_};
    const QSizeF size = metrics_.size(0, text);
    return {size.width(), size.height() + below_};
}

double TextMeasure::wrappedHeight(const QString& text, double width)
{
    if (text.isEmpty())
        return metrics_.height() + below_;
    if (const std::optional<int> lines = wrappedLines(text, width))
        return heightOfLines(*lines) + below_;
    return metrics_.boundingRect(QRectF(0, 0, width, 1e6), wrapFlags, text).height() + below_;
}

bool TextMeasure::measuresPairwise(QStringView text) const
{
    return pairwise_ && !text.isEmpty() && text.front() != u' ' && text.back() != u' '
        && std::all_of(text.begin(), text.end(), [](QChar c) { return isPrintableAscii(c.unicode()); });
}

std::optional<double> TextMeasure::pairwiseWidth(QStringView text)
{
    return measuresPairwise(text) ? std::optional<double>(sumOfPairs(text)) : std::nullopt;
}

double TextMeasure::sumOfPairs(QStringView text)
{
    double width = overhang_[text.back().unicode()];
    for (qsizetype i = 0; i < text.size(); ++i) {
        width += advance_[text[i].unicode()];
        if (i + 1 < text.size())
            width += kerning(text[i].unicode(), text[i + 1].unicode());
    }
    return width;
}

std::optional<int> TextMeasure::wrappedLines(QStringView text, double width)
{
    if (!measuresPairwise(text))
        return std::nullopt;
    const qsizetype n = text.size();
    QVarLengthArray<double, 256> upTo(n + 1);  // advances and kerning before each character
    upTo[0] = 0;
    for (qsizetype i = 0; i < n; ++i)
        upTo[i + 1] = upTo[i] + advance_[text[i].unicode()] + (i + 1 < n ? kerning(text[i].unicode(), text[i + 1].unicode()) : 0);
    // A text that fits the width whole is one line, wherever it could break.
    constexpr double hair = 2;
    if (upTo[n] + overhang_[text.back().unicode()] + hair <= width)
        return 1;
    if (!isPlainWords(text))
        return std::nullopt;

    // A line of the characters [from, to): Qt may or may not count the kerning of its last
    // character with the space after it, and its edge test may differ by a pixel from ours, so a
    // line decides only when it is clear of the edge by more than a hair.
    enum class Fit { Yes, No, Unsure };
    const auto fits = [&](qsizetype from, qsizetype to) {
        const char16_t last = text[to - 1].unicode();
        const double withKerning = upTo[to] - upTo[from] + overhang_[last];
        const double without = to < n ? withKerning - kerning(last, u' ') : withKerning;
        if (std::max(withKerning, without) + hair <= width)
            return Fit::Yes;
        return std::min(withKerning, without) - hair > width ? Fit::No : Fit::Unsure;
    };

    // Qt fills each line with as many words as fit and starts the next at the first that does not.
    int lines = 1;
    qsizetype lineStart = 0;
    for (qsizetype wordStart = 0; wordStart < n;) {
        qsizetype wordEnd = text.indexOf(u' ', wordStart);
        if (wordEnd < 0)
            wordEnd = n;
        Fit fit = fits(lineStart, wordEnd);
        if (fit == Fit::No && lineStart != wordStart) {
            ++lines;
            lineStart = wordStart;
            fit = fits(lineStart, wordEnd);
        }
        // Too near the edge to tell, or one word wider than the line.
        if (fit != Fit::Yes)
            return std::nullopt;
        wordStart = wordEnd + 1;
    }
    return lines;
}

double TextMeasure::heightOfLines(int lines)
{
    while (wrappedHeights_.size() < lines) {
        QString text = QStringLiteral("x");
        for (qsizetype i = 0; i < wrappedHeights_.size(); ++i)
            text += QStringLiteral("\nx");
        wrappedHeights_.append(metrics_.boundingRect(QRectF(0, 0, 1e6, 1e6), wrapFlags, text).height());
    }
    return wrappedHeights_[lines - 1];
}

} // namespace platform
