#include "core/Numbers.h"

#include "core/RunTimeError.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {

bool isSkipped(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Reads digits of the given base after a &H or &O prefix. Like the original platform, a value
// that fits 16 bits is taken as a signed 16-bit pattern (&HFFFF is -1), one that fits 32 bits
// as a signed 32-bit pattern.
double radixValue(QByteArrayView text, qsizetype i, int base)
{
    quint64 value = 0;
    bool any = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isSkipped(c))
            continue;
        int digit = -1;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= base)
            break;
        if (value > (std::numeric_limits<quint64>::max() >> 4))
            return std::numeric_limits<double>::infinity();
        value = value * base + digit;
        any = true;
    }
    if (!any)
        return 0;
    if (value <= 0xFFFF)
        return static_cast<int16_t>(static_cast<uint16_t>(value));
    if (value <= 0xFFFFFFFFull)
        return static_cast<int32_t>(static_cast<uint32_t>(value));
    return static_cast<double>(value);
}

} // namespace

double leadingNumber(QByteArrayView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skip = [&] {
        while (i < n && isSkipped(text[i]))
            ++i;
    };
    skip();
    if (i + 1 < n && text[i] == '&') {
        const char p = text[i + 1];
        if (p == 'H' || p == 'h')
            return radixValue(text, i + 2, 16);
        if (p == 'O' || p == 'o')
            return radixValue(text, i + 2, 8);
    }
    // Collect the number's characters without the skipped ones, then let from_chars read them.
    std::string digits;
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    bool mantissa = false, point = false;
    for (; i < n; ++i) {
        const char c = text[i];
        if (isSkipped(c))
            continue;
        if (c >= '0' && c <= '9') {
            digits += c;
            mantissa = true;
        } else if (c == '.' && !point) {
            digits += c;
            point = true;
        } else {
            break;
        }
    }
    if (!mantissa)
        return 0;
    skip();
    if (i < n && (text[i] == 'E' || text[i] == 'e' || text[i] == 'D' || text[i] == 'd')) {
        std::string exponent = "e";
        ++i;
        skip();
        if (i < n && (text[i] == '+' || text[i] == '-'))
            exponent += text[i++];
        bool any = false;
        for (; i < n; ++i) {
            const char c = text[i];
            if (isSkipped(c))
                continue;
            if (c < '0' || c > '9')
                break;
            exponent += c;
            any = true;
        }
        if (any)
            digits += exponent;
    }
    // from_chars does not depend on the C locale, unlike strtod.
    double value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (error == std::errc::result_out_of_range)
        value = digits.find("e-") != std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
    (void)end;
    return negative ? -value : value;
}

double roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which is round-to-nearest-even unless changed.
    return std::nearbyint(value);
}

int16_t toInt16(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -32768.0 && r <= 32767.0))
        throw RunTimeError(QStringLiteral("Overflow: %1 does not fit a 16-bit integer").arg(value));
    return static_cast<int16_t>(r);
}

int32_t toInt32(double value)
{
    const double r = roundHalfEven(value);
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw RunTimeError(QStringLiteral("Overflow: %1 does not fit a 32-bit integer").arg(value));
    return static_cast<int32_t>(r);
}

QString numberText(int value)
{
    return value >= 0 ? QStringLiteral(" %1").arg(value) : QString::number(value);
}
