#include "ExactPower.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace dsptest {
namespace {

using BigInt = std::vector<std::uint32_t>;  // little-endian limbs

void multiply(BigInt& value, std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (auto& limb : value) {
        const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product);
        carry = product >> 32;
    }
    if (carry) value.push_back(static_cast<std::uint32_t>(carry));
}

int bitLength(const BigInt& value) {
    for (int limb = static_cast<int>(value.size()) - 1; limb >= 0; --limb)
        if (value[limb]) return limb * 32 + 32 - __builtin_clz(value[limb]);
    return 0;
}

bool bit(const BigInt& value, int index) {
    if (index >= static_cast<int>(value.size()) * 32) return false;
    return (value[index / 32] >> (index % 32)) & 1u;
}

}  // namespace

float exactRoundedPower(float x, int p) {
    if (p == 0) return 1.0f;
    if (x == 0.0f) return 0.0f;
    int exponent;
    const double mantissa = std::frexp(std::fabs(static_cast<double>(x)), &exponent);
    const auto m = static_cast<std::uint32_t>(std::ldexp(mantissa, 24));  // |x| = m 2^(e-24)
    BigInt n{1};
    for (int i = 0; i < p; ++i) multiply(n, m);
    const int scale = (exponent - 24) * p;  // |x|^p = n * 2^scale

    const int bits = bitLength(n);
    const int leadingExponent = bits - 1 + scale;
    const int quantumExponent = std::max(leadingExponent - 23, -149);  // subnormals below -126
    const int shift = quantumExponent - scale;
    double magnitude;
    if (shift <= 0) {
        magnitude = std::ldexp(static_cast<double>(n[0]), scale);  // fits 24 bits: exact
    } else {
        std::uint64_t kept = 0;
        for (int b = bits - 1; b >= shift; --b) kept = (kept << 1) | bit(n, b);
        const bool half = bit(n, shift - 1);
        bool below = false;
        for (int b = shift - 2; b >= 0 && !below; --b) below = bit(n, b);
        if (half && (below || (kept & 1))) ++kept;
        magnitude = std::ldexp(static_cast<double>(kept), quantumExponent);
    }
    const float result = static_cast<float>(magnitude);  // exact by construction
    return (x < 0.0f && (p % 2)) ? -result : result;
}

}  // namespace dsptest
