#include "platform/Random.h"

#include <cstring>
#include <random>

namespace platform {

namespace {
std::mt19937 generator{1};
}

void Randomize(double seed)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &seed, sizeof bits);
    generator.seed(static_cast<std::mt19937::result_type>(bits ^ (bits >> 32)));
}

double Rnd()
{
    // 32 random bits over 2^32: never reaches 1.
    return generator() / 4294967296.0;
}

} // namespace platform
