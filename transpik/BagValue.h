#pragma once
// The typed values a property bag holds, and their conversions to the types of the control's
// properties. A value that does not convert is a "Type mismatch"; a number out of range an
// "Overflow"; both name where the value came from.
#include "platform/Picture.h"

#include <QFont>
#include <QString>
#include <cstdint>
#include <variant>

using BagValue = std::variant<int32_t, float, bool, QString, QFont, platform::Picture>;

namespace bag {

// Where a value came from, for error messages: a file and a line (0 when not from a file).
struct Place {
    QString file;
    qint64 line = 0;
};

int32_t toLong(const BagValue& value, const Place& where);    // colours
int16_t toInteger(const BagValue& value, const Place& where); // 16-bit properties
float toSingle(const BagValue& value, const Place& where);
bool toBoolean(const BagValue& value, const Place& where);
QFont toFont(const BagValue& value, const Place& where);
platform::Picture toPicture(const BagValue& value, const Place& where);

// Numbers by value (2010.0 equals 2010), fonts by their attributes, pictures by identity.
bool equal(const BagValue& a, const BagValue& b);

// The value as written in the storage format, and back. parse throws RunTimeError at `where`.
QString format(const BagValue& value);
BagValue parse(const QString& text, const Place& where);

} // namespace bag
