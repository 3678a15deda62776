#pragma once
// The property bag a stored control design is loaded from and saved to.
//
// Storage format (plain text, one property per line):
//     key = value
// Blank lines and lines starting with '#' are comments. Keys are matched without regard to
// letter case. Values are typed by how they are written:
//     42, -7, 0x0000FF00        32-bit integer (hex gives the bit pattern, 0x80000012 too)
//     2010.0001, 1e3            float (a point or an exponent makes it one)
//     True, False               Boolean
//     "text"                    text ("" inside stands for one quote)
//     font("MS Sans Serif", 8.25, 400)               font: face, points, weight,
//     font("Arial", 10, 700, True, False, False)     then italic, underline, strikethrough
//     picture(":/pictures/title.bmp")                picture by resource or file path
//     picture()                                      no picture
#include "transpik/BagValue.h"

#include <QString>
#include <vector>

class PropertyBag {
public:
    PropertyBag() = default;

    // Reads the storage format; `source` names the file in error messages.
    // A malformed line throws RunTimeError naming source and line.
    static PropertyBag fromText(const QString& text, const QString& source);
    // Loads a file or a Qt resource (":/designs/Pic1.txt"); a missing one throws RunTimeError.
    static PropertyBag load(const QString& path);

    QString toText() const;
    void save(const QString& path) const;  // throws RunTimeError when it cannot be written

    // The stored value of `key`, or `defaultValue` when there is none.
    BagValue ReadProperty(const QString& key, const BagValue& defaultValue) const;
    // Stores `value` under `key`; a value equal to its default is left out (and an earlier one
    // under the same key removed), so that loading gives the default back.
    void WriteProperty(const QString& key, const BagValue& value, const BagValue& defaultValue);

    bool contains(const QString& key) const;
    // Where a key's value was read (for conversion errors): the bag's source and the line.
    bag::Place placeOf(const QString& key) const;
    QString source() const { return source_; }

private:
    struct Entry {
        QString key;
        BagValue value;
        int line = 0;  // 0 when written in memory
    };
    const Entry* find(const QString& key) const;

    QString source_ = QStringLiteral("property bag");
    std::vector<Entry> entries_;  // in the order they were read or written
};
