#pragma once
// The bank's substitution: which coded character (126..254) stands for which plain character
// (33..125). The pairs live in CodeTable.cpp and nowhere else; both directions derive from them.
#include <array>
#include <cstdint>

namespace CodeTable {

struct Pair {
    uint8_t coded;
    uint8_t plain;
};

// The 93 pairs: every plain code 33..125 exactly once, each with its own coded code.
extern const std::array<Pair, 93> pairs;

// Per byte: its plain character. Bytes outside 126..254 map to themselves, and so do the codes
// 126..254 that stand for nothing: decoded text never holds 126..254 otherwise, so the decoder
// finds them there and drops them.
const std::array<uint8_t, 256>& decoding();

// Per byte: 1 when decoding yields a character, 0 for a code 126..254 without a meaning,
// which decoding drops.
const std::array<uint8_t, 256>& kept();

// Per byte: its coded character for the plain codes 33..125, the byte itself otherwise.
const std::array<uint8_t, 256>& encoding();

} // namespace CodeTable
