#include "transpik/BagValue.h"

#include "core/Numbers.h"
#include "transpik/PictureStore.h"
#include "core/RunTimeError.h"

#include <QRegularExpression>
#include <QStringList>
#include <charconv>
#include <cmath>
#include <limits>

namespace bag {

namespace {

[[noreturn]] void fail(const Place& where, const QString& what)
{
    throw RunTimeError::inFile(where.file, where.line, what);
}

// A number of any kind as a double, or a type mismatch.
double numeric(const BagValue& value, const Place& where)
{
    if (const auto* i = std::get_if<int32_t>(&value))
        return *i;
    if (const auto* f = std::get_if<float>(&value))
        return *f;
    if (const auto* b = std::get_if<bool>(&value))
        return *b ? -1 : 0;  // True is -1
    fail(where, QStringLiteral("Type mismatch"));
}

double inRange(double value, double low, double high, const Place& where)
{
    const double rounded = roundHalfEven(value);
    if (!(rounded >= low && rounded <= high))
        fail(where, QStringLiteral("Overflow"));
    return rounded;
}

QString formatSingle(float value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer);
    // A point or an exponent is what makes the value read back as a float.
    if (!text.contains(u'.') && !text.contains(u'e'))
        text += QStringLiteral(".0");
    return text;
}

QString quoted(const QString& text)
{
    QString inner = text;
    inner.replace(u'"', QStringLiteral("\"\""));
    return u'"' + inner + u'"';
}

QString booleanText(bool value) { return value ? QStringLiteral("True") : QStringLiteral("False"); }

// Splits "a, "b,c", 3" at the commas outside quotes.
QStringList arguments(const QString& text)
{
    QStringList parts;
    QString current;
    bool inQuotes = false;
    for (const QChar c : text) {
        if (c == u'"')
            inQuotes = !inQuotes;
        if (c == u',' && !inQuotes) {
            parts << current.trimmed();
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.trimmed().isEmpty() || !parts.isEmpty())
        parts << current.trimmed();
    return parts;
}

// The text between "name(" and the closing ")", when `text` has that form.
std::optional<QString> call(const QString& text, QLatin1StringView name)
{
    if (!text.startsWith(name, Qt::CaseInsensitive) || !text.endsWith(u')'))
        return std::nullopt;
    const QString rest = text.mid(name.size()).trimmed();
    if (!rest.startsWith(u'('))
        return std::nullopt;
    return rest.mid(1, rest.size() - 2);
}

QFont parseFont(const QString& inner, const Place& where)
{
    const QStringList args = arguments(inner);
    if (args.size() < 3 || args.size() > 6)
        fail(where, QStringLiteral("A font needs a face, a size and a weight"));
    const BagValue face = parse(args[0], where);
    if (!std::holds_alternative<QString>(face))
        fail(where, QStringLiteral("Type mismatch in the font's face"));
    QFont font(std::get<QString>(face));
    const float size = toSingle(parse(args[1], where), where);
    if (!(size > 0))
        fail(where, QStringLiteral("Invalid font size"));
    font.setPointSizeF(size);
    const int weight = toInteger(parse(args[2], where), where);
    if (weight < 1 || weight > 1000)
        fail(where, QStringLiteral("Invalid font weight"));
    font.setWeight(QFont::Weight(weight));
    if (args.size() > 3)
        font.setItalic(toBoolean(parse(args[3], where), where));
    if (args.size() > 4)
        font.setUnderline(toBoolean(parse(args[4], where), where));
    if (args.size() > 5)
        font.setStrikeOut(toBoolean(parse(args[5], where), where));
    return font;
}

platform::Picture parsePicture(const QString& inner, const Place& where)
{
    const QStringList args = arguments(inner);
    if (args.isEmpty())
        return {};
    const BagValue reference = args.size() == 1 ? parse(args[0], where) : BagValue{};
    if (!std::holds_alternative<QString>(reference))
        fail(where, QStringLiteral("A picture needs one reference in quotes"));
    return loadPicture(std::get<QString>(reference));
}

std::optional<QString> parseQuoted(const QString& text)
{
    if (text.size() < 2 || !text.startsWith(u'"') || !text.endsWith(u'"'))
        return std::nullopt;
    const QString inner = text.mid(1, text.size() - 2);
    // Inside, quotes come in pairs.
    for (qsizetype i = 0; i < inner.size(); ++i) {
        if (inner[i] == u'"' && (i + 1 >= inner.size() || inner[++i] != u'"'))
            return std::nullopt;
    }
    return QString(inner).replace(QStringLiteral("\"\""), QStringLiteral("\""));
}

} // namespace

int32_t toLong(const BagValue& value, const Place& where)
{
    return int32_t(inRange(numeric(value, where), std::numeric_limits<int32_t>::min(),
                           std::numeric_limits<int32_t>::max(), where));
}

int16_t toInteger(const BagValue& value, const Place& where)
{
    return int16_t(inRange(numeric(value, where), -32768, 32767, where));
}

float toSingle(const BagValue& value, const Place& where)
{
    const double number = numeric(value, where);
    if (std::fabs(number) > std::numeric_limits<float>::max())
        fail(where, QStringLiteral("Overflow"));
    return float(number);
}

bool toBoolean(const BagValue& value, const Place& where) { return numeric(value, where) != 0; }

QFont toFont(const BagValue& value, const Place& where)
{
    if (const auto* font = std::get_if<QFont>(&value))
        return *font;
    fail(where, QStringLiteral("Type mismatch"));
}

platform::Picture toPicture(const BagValue& value, const Place& where)
{
    if (const auto* picture = std::get_if<platform::Picture>(&value))
        return *picture;
    fail(where, QStringLiteral("Type mismatch"));
}

bool equal(const BagValue& a, const BagValue& b)
{
    // Numbers compare by value whatever their type: a float 2010 equals the integer default 2010.
    const auto number = [](const BagValue& v) -> std::optional<double> {
        if (const auto* i = std::get_if<int32_t>(&v))
            return *i;
        if (const auto* f = std::get_if<float>(&v))
            return *f;
        return std::nullopt;
    };
    if (const auto x = number(a), y = number(b); x && y)
        return *x == *y;
    return a == b;
}

QString format(const BagValue& value)
{
    if (const auto* i = std::get_if<int32_t>(&value))
        return QString::number(*i);
    if (const auto* f = std::get_if<float>(&value))
        return formatSingle(*f);
    if (const auto* b = std::get_if<bool>(&value))
        return booleanText(*b);
    if (const auto* text = std::get_if<QString>(&value))
        return quoted(*text);
    if (const auto* font = std::get_if<QFont>(&value)) {
        QString text = QStringLiteral("font(%1, %2, %3").arg(quoted(font->family()),
                                                               formatSingle(float(font->pointSizeF())),
                                                               QString::number(int(font->weight())));
        if (font->italic() || font->underline() || font->strikeOut()) {
            text += QStringLiteral(", %1, %2, %3").arg(booleanText(font->italic()), booleanText(font->underline()),
                                                       booleanText(font->strikeOut()));
        }
        return text + u')';
    }
    const auto& picture = std::get<platform::Picture>(value);
    if (picture.isEmpty())
        return QStringLiteral("picture()");
    return QStringLiteral("picture(%1)").arg(quoted(referenceOf(picture)));
}

BagValue parse(const QString& raw, const Place& where)
{
    const QString text = raw.trimmed();
    if (auto inner = parseQuoted(text))
        return *inner;
    if (text.compare(QLatin1StringView("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1StringView("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (auto inner = call(text, QLatin1StringView("font")))
        return parseFont(*inner, where);
    if (auto inner = call(text, QLatin1StringView("picture")))
        return parsePicture(*inner, where);

    static const QRegularExpression hex(QStringLiteral("^([+-]?)0[xX]([0-9A-Fa-f]{1,8})$"));
    static const QRegularExpression integer(QStringLiteral("^[+-]?[0-9]+$"));
    static const QRegularExpression single(QStringLiteral("^[+-]?([0-9]+\\.?[0-9]*|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
    if (const auto m = hex.match(text); m.hasMatch()) {
        // The bit pattern: 0x80000012 is the system colour, a negative 32-bit value.
        const uint32_t bits = m.captured(2).toUInt(nullptr, 16);
        return m.captured(1) == u'-' ? int32_t(0u - bits) : int32_t(bits);
    }
    if (integer.match(text).hasMatch()) {
        bool ok = false;
        const int32_t number = text.toInt(&ok);
        if (!ok)
            fail(where, QStringLiteral("Overflow"));
        return number;
    }
    if (single.match(text).hasMatch()) {
        const double number = text.toDouble();
        if (std::fabs(number) > std::numeric_limits<float>::max())
            fail(where, QStringLiteral("Overflow"));
        return text.toFloat();
    }
    fail(where, QStringLiteral("Not a value: %1").arg(text));
}

} // namespace bag
