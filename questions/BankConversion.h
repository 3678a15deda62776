#pragma once
// Whole-bank conversions between the plain bank an author edits and the coded bank the game reads.
#include <QByteArray>
#include <QString>

// One plain line as the conversion writes it (any line but the first): blanks at both ends
// removed, then a separator kept as it is and any other line coded.
QByteArray codedLine(QByteArrayView plainLine);

// Plain to coded: line 1 copied as it is; every other line loses its leading and trailing
// blanks, then a separator (three apostrophes and at least one more character) is written
// as it is and any other line is coded. The coded bank is replaced only when all is written.
void convertPlainBank(const QString& plainPath, const QString& codedPath);

// Coded to plain, so an author can edit an existing bank: line 1 as it is, separators as they
// are, every other line decoded. Returns the numbers of the lines that are separators in the
// coded bank but would be coded by the next conversion (exactly "'''", or indented).
QList<qint64> restorePlainBank(const QString& codedPath, const QString& plainPath);
