// The measure of label texts: every text, plain or not, gets the size Qt's own layout gives it,
// one line or wrapped, in the game's faces at the sizes its screens use.
#include "platform/Fonts.h"
#include "platform/TextMeasure.h"

#include <QFontMetricsF>
#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

using namespace platform;

namespace {

constexpr int wrapFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

QList<QFont> gameFaces()
{
    QList<QFont> fonts;
    for (const char* face : {"Times New Roman", "MS Sans Serif"}) {
        for (double points : {7.0, 10.0, 12.0, 14.0, 18.0, 26.0})
            fonts.append(gameFont(QString::fromLatin1(face), points, true));
    }
    return fonts;
}

// Texts as quiz authors write them (words, quotes, closing marks, numbers) and random ones
// of any printable character, spaces included, with a few that are not ASCII.
QStringList sampleTexts(int count)
{
    static const QStringList words{"Delvo", "Delvo's", "quorvel", "first,", "where?", "Yes!", "\"Teal\"", "AVA",
                                   "To", "office", "baffle", "12345:", "3.5", "well-known", "(with", "friends)",
                                   "fjord;", "Wy", "T.", "a", "I", "song", "scooter", "Orange", "café", "x/y"};
    QRandomGenerator random(2026);
    QStringList texts;
    for (int i = 0; i < count; ++i) {
        QString text;
        const int length = 1 + random.bounded(14);
        for (int w = 0; w < length; ++w) {
            if (w > 0)
                text += random.bounded(20) == 0 ? QStringLiteral("  ") : QStringLiteral(" ");
            if (i % 3 == 0) {
                for (int c = random.bounded(1, 9); c > 0; --c)
                    text += QChar(char16_t(random.bounded(33, 127)));
            } else {
                text += words.at(random.bounded(words.size()));
            }
        }
        texts.append(text);
    }
    texts << QString() << QStringLiteral(" leading") << QStringLiteral("trailing ") << QStringLiteral("a\nb c");
    return texts;
}

} // namespace

TEST(TextMeasure, EveryTextTakesTheSizeQtLaysItOutInOneLineOrWrapped)
{
    const QStringList texts = sampleTexts(600);
    QRandomGenerator random(7);
    for (const QFont& font : gameFaces()) {
        SCOPED_TRACE(font.toString().toStdString());
        TextMeasure& measure = TextMeasure::of(font);
        // The game's faces are installed here, so plain texts take the quick way.
        EXPECT_TRUE(measure.measuresPlainTexts());
        const QFontMetricsF metrics(font);
        // The room kept under the last line is the same whatever the text.
        const double below = measure.oneLine(QStringLiteral("x")).height() - metrics.size(0, QStringLiteral("x")).height();
        EXPECT_GE(below, 0);
        for (const QString& text : texts) {
            SCOPED_TRACE(text.toStdString());
            const QSizeF exact = metrics.size(0, text);
            ASSERT_EQ(measure.oneLine(text), QSizeF(exact.width(), exact.height() + below));
            // Widths around the text's own, where the last word of a line goes either way.
            for (int i = 0; i < 4; ++i) {
                const double width = std::round(exact.width() * (0.2 + 0.3 * i) + random.bounded(9) - 4);
                if (width < 1)
                    continue;
                const double wrapped = text.isEmpty()
                    ? metrics.height()
                    : metrics.boundingRect(QRectF(0, 0, width, 1e6), wrapFlags, text).height();
                ASSERT_EQ(measure.wrappedHeight(text, width), wrapped + below) << "at width " << width;
            }
        }
        // At every width, for texts with every kind of place Qt may break at or not.
        for (const QString& text : {QStringLiteral("Delvo's well-known x/y song is big-ish and long-lived"),
                                   QStringLiteral("Tea (with friends) is \"Teal\"."),
                                   QStringLiteral("First, and where? Yes! 3.5:1 a;b To. AVA office 12345:")}) {
            SCOPED_TRACE(text.toStdString());
            for (int width = 1; width <= metrics.horizontalAdvance(text) + 3; ++width) {
                const double wrapped = metrics.boundingRect(QRectF(0, 0, width, 1e6), wrapFlags, text).height();
                ASSERT_EQ(measure.wrappedHeight(text, width), wrapped + below) << "at width " << width;
            }
        }
    }
}
