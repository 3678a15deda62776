#include "questions/DecodeLine.h"

#include "questions/BankConversion.h"
#include "questions/CodeTable.h"
#include "core/GameState.h"

#include <algorithm>

void DecodeLine(int16_t& mode, QByteArray& text)
{
    if (mode == 1) {
        convertPlainBank(game().PlainBankFile, game().BankFile);
        return;
    }
    decodeText(text);
}

namespace {

bool meaningless(char decoded)
{
    const auto c = static_cast<uint8_t>(decoded);
    return c >= 126 && c <= 254;
}

} // namespace

void decodeText(QByteArray& text)
{
    // One pass that only translates, each byte in its own place, keeps the loop free of
    // dependencies between bytes; codes that stand for nothing are rare, and a second pass
    // removes them only when there are any.
    const auto& plain = CodeTable::decoding();
    char* data = text.data();
    const qsizetype size = text.size();
    bool dropAny = false;
    for (qsizetype i = 0; i < size; ++i) {
        const char c = static_cast<char>(plain[static_cast<uint8_t>(data[i])]);
        data[i] = c;
        dropAny |= meaningless(c);
    }
    if (dropAny)
        text.truncate(std::remove_if(data, data + size, meaningless) - data);
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
