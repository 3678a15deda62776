#include "questions/CodeTable.h"

namespace CodeTable {

namespace {

constexpr std::array<Pair, 93> table{{
    {251, 33}, {206, 34}, {244, 35}, {239, 36}, {200, 37}, {142, 38},
    {241, 39}, {147, 40}, {248, 41}, {192, 42}, {183, 43}, {176, 44},
    {138, 45}, {164, 46}, {191, 47}, {204, 48}, {133, 49}, {212, 50},
    {172, 51}, {146, 52}, {195, 53}, {178, 54}, {201, 55}, {190, 56},
    {141, 57}, {185, 58}, {156, 59}, {155, 60}, {242, 61}, {157, 62},
    {132, 63}, {130, 64}, {171, 65}, {170, 66}, {240, 67}, {222, 68},
    {188, 69}, {194, 70}, {227, 71}, {218, 72}, {232, 73}, {161, 74},
    {129, 75}, {246, 76}, {228, 77}, {210, 78}, {127, 79}, {233, 80},
    {128, 81}, {224, 82}, {207, 83}, {243, 84}, {152, 85}, {137, 86},
    {225, 87}, {177, 88}, {148, 89}, {168, 90}, {226, 91}, {150, 92},
    {205, 93}, {223, 94}, {219, 95}, {231, 96}, {154, 97}, {140, 98},
    {149, 99}, {250, 100}, {229, 101}, {143, 102}, {208, 103}, {249, 104},
    {167, 105}, {254, 106}, {174, 107}, {235, 108}, {145, 109}, {159, 110},
    {165, 111}, {151, 112}, {175, 113}, {179, 114}, {189, 115}, {245, 116},
    {136, 117}, {197, 118}, {181, 119}, {186, 120}, {173, 121}, {162, 122},
    {193, 123}, {180, 124}, {216, 125},
}};

// A bank coded with a faulty table could not be read back, so the table proves itself at
// compile time: plain codes 33..125 in order, coded codes in 126..254 and all different.
constexpr bool wellFormed()
{
    std::array<bool, 256> used{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const Pair p = table[i];
        if (p.plain != 33 + i || p.coded < 126 || p.coded > 254 || used[p.coded])
            return false;
        used[p.coded] = true;
    }
    return true;
}
static_assert(wellFormed(), "the substitution must pair 93 distinct codes 126..254 with 33..125");

constexpr std::array<uint8_t, 256> makeDecoding()
{
    std::array<uint8_t, 256> d{};
    for (int c = 0; c < 256; ++c)
        d[c] = static_cast<uint8_t>(c);
    for (const Pair p : table)
        d[p.coded] = p.plain;
    return d;
}

constexpr std::array<uint8_t, 256> makeKept()
{
    std::array<uint8_t, 256> k{};
    for (int c = 0; c < 256; ++c)
        k[c] = (c >= 126 && c <= 254) ? 0 : 1;
    for (const Pair p : table)
        k[p.coded] = 1;
    return k;
}

constexpr std::array<uint8_t, 256> makeEncoding()
{
    std::array<uint8_t, 256> e{};
    for (int c = 0; c < 256; ++c)
        e[c] = static_cast<uint8_t>(c);
    for (const Pair p : table)
        e[p.plain] = p.coded;
    return e;
}

constexpr std::array<uint8_t, 256> decodingTable = makeDecoding();
constexpr std::array<uint8_t, 256> keptTable = makeKept();
constexpr std::array<uint8_t, 256> encodingTable = makeEncoding();

} // namespace

const std::array<Pair, 93> pairs = table;

const std::array<uint8_t, 256>& decoding() { return decodingTable; }
const std::array<uint8_t, 256>& kept() { return keptTable; }
const std::array<uint8_t, 256>& encoding() { return encodingTable; }

} // namespace CodeTable
