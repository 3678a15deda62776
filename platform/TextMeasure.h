#pragma once
// The room a label's text takes in one font, exactly as Qt lays it out and draws it. The bank
// check measures every text of a bank at each screen size, so the common case is cheap: a text
// of plain words is measured from each character's advance and the kerning of each pair of
// characters, learnt once per font, and wrapped as Qt wraps it. Anything else, and any wrap that
// falls within a hair of the edge, takes Qt's full layout.
#include <QFontMetricsF>
#include <QList>
#include <QSizeF>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace platform {

class TextMeasure {
public:
    // The measure of `font`, kept for the thread's later texts in that font.
    static TextMeasure& of(const QFont& font);

    QSizeF oneLine(const QString& text);                      // one line per line feed
    double wrappedHeight(const QString& text, double width);  // words wrapped at `width`

    // Whether plain texts are measured without Qt's layout in this font: only when the font
    // shapes them as its characters and their pairs add up (no ligature or kerning over three).
    bool measuresPlainTexts() const { return pairwise_; }

private:
    explicit TextMeasure(const QFont& font);
    bool measuresPairwise(QStringView text) const;  // printable ASCII, no space at either end
    std::optional<double> pairwiseWidth(QStringView text);
    std::optional<int> wrappedLines(QStringView text, double width);
    double kerning(char16_t left, char16_t right);
    double learnKerning(char16_t left, char16_t right);
    double sumOfPairs(QStringView text);
    double heightOfLines(int lines);

    QFontMetricsF metrics_;
    double below_;          // room kept under the last line for the lowest glyph
    double lineHeight_;     // one line of text, without that room
    bool pairwise_ = false;
    std::array<double, 128> advance_{};
    std::array<double, 128> overhang_{};  // how far a glyph reaches past its advance at a line's end
    std::vector<float> kerning_;          // 128 x 128 pairs, learnt as they are met
    QList<double> wrappedHeights_;        // by line count, from 1
};

} // namespace platform
