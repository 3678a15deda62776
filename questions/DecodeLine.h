#pragma once
// The bank's line codec.
#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

// Mode 1 converts the plain bank at game().PlainBankFile into the coded bank at game().BankFile
// (text is left alone); any other mode replaces text by its decoding.
void DecodeLine(int16_t& mode, QByteArray& text);

// Decoding in place: coded characters become plain ones, coded codes without a meaning are
// dropped, every other byte stays.
void decodeText(QByteArray& text);

// Encoding: the plain codes 33..125 become their coded characters, every other byte stays.
QByteArray encodeText(QByteArrayView text);
