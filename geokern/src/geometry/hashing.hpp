#pragma once

#include <bit>
#include <cmath>
#include <cstdint>

namespace geokern {

// Hash steps that agree with same_number: all NaNs hash alike, and so do 0 and -0.
inline uint64_t hash_mix(uint64_t seed, uint64_t value) {
    seed ^= value + 0x9e3779b97f4a7c15ULL + (seed << 12) + (seed >> 4);
    return seed * 0xff51afd7ed558ccdULL;
}

inline uint64_t hash_number(uint64_t seed, double value) {
    if (std::isnan(value)) return hash_mix(seed, 0x7ff8000000000000ULL);
    if (value == 0) return hash_mix(seed, 0);
    return hash_mix(seed, std::bit_cast<uint64_t>(value));
}

}  // namespace geokern
