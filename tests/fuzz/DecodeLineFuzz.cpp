// Decoding any line must neither crash nor grow it; encoding then decoding plain text
// (codes 33..125 and blanks) must give the text back.
#include "questions/DecodeLine.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    QByteArray line(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QByteArray decoded = line;
    int16_t mode = 2;
    DecodeLine(mode, decoded);
    if (decoded.size() > line.size())
        std::abort();

    QByteArray plain;
    for (char c : line)
        if (c == ' ' || (c >= 33 && c <= 125))
            plain += c;
    QByteArray roundTrip = encodeText(plain);
    decodeText(roundTrip);
    if (roundTrip != plain)
        std::abort();
    return 0;
}
