#pragma once
// Small text rules shared by the bank's codec, reader and conversion.
#include <QByteArrayView>
#include <QString>

// Removes blanks (code 32 only; tabs stay) from both ends.
QByteArrayView trimBlanks(QByteArrayView text);
QString trimBlankText(const QString& text);

// A separator line starts with three apostrophes; it ends a question record.
bool isSeparator(QByteArrayView line);

// The bank's 8-bit text is Windows-1252.
QString fromWindows1252(QByteArrayView text);
// And back; a character Windows-1252 cannot hold becomes "?".
QByteArray toWindows1252(const QString& text);
