#pragma once
// The number rules shared by the bank, the progress file and the layout.
#include <QByteArray>
#include <QString>
#include <cstdint>

// The numeric value of the start of a text: blanks, tabs and line feeds are skipped wherever
// they stand; then an optional sign, digits with at most one decimal point and an optional
// exponent (E or D); or a &H (hexadecimal) or &O (octal) prefix and its digits.
// Reading stops at the first other character; an empty or non-numeric text gives 0.
double leadingNumber(QByteArrayView text);

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// Rounds half to even and checks the range; out of range throws RunTimeError "Overflow".
int16_t toInt16(double value);
int32_t toInt32(double value);

// Decimal text with one leading blank for 0 and above, a minus sign otherwise (" 5", "-3").
QString numberText(int value);
