#include "DecodeLine.h"

#include "BankConversion.h"
#include "CodeTable.h"
#include "GameState.h"

void DecodeLine(int16_t& mode, QByteArray& text)
{
    if (mode == 1) {
        convertPlainBank(game().PlainBankFile, game().BankFile);
        return;
    }
    decodeText(text);
}

void decodeText(QByteArray& text)
{
    const auto& plain = CodeTable::decoding();
    const auto& kept = CodeTable::kept();
    char* data = text.data();
    const qsizetype size = text.size();
    // Branch-free: every byte is written, but only the kept ones advance the output.
    qsizetype out = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const auto c = static_cast<uint8_t>(data[i]);
        data[out] = static_cast<char>(plain[c]);
        out += kept[c];
    }
    text.truncate(out);
}

QByteArray encodeText(QByteArrayView text)
{
    const auto& coded = CodeTable::encoding();
    QByteArray result(text.size(), Qt::Uninitialized);
    char* out = result.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = static_cast<char>(coded[static_cast<uint8_t>(text[i])]);
    return result;
}
