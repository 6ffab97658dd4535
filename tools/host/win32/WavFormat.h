// The WAV files the Windows build reads and writes: the format codes it shares with the
// Linux build (libsndfile's numbers), and the sample conversions libsndfile makes, so that
// both builds write the same integers for the same floats.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace vsthost::wav {

constexpr int kContainer = 0x010000;  // SF_FORMAT_WAV
constexpr int kContainerMask = 0x0FFF0000;
constexpr int kEncodingMask = 0xFFFF;
constexpr int kPcm16 = 0x0002, kPcm24 = 0x0003, kPcm32 = 0x0004, kFloat = 0x0006;

constexpr int bitsOf(int encoding) { return encoding == kPcm16 ? 16 : encoding == kPcm24 ? 24 : 32; }

// A float in -1..1 as a signed integer of `bits`, rounded, beyond full scale clipped.
inline int32_t toInteger(float value, int bits) {
    const double scale = bits == 16 ? 32768.0 : 2147483648.0;
    const double scaled = std::clamp(static_cast<double>(value) * scale, -scale, scale - 1.0);
    const auto whole = static_cast<int32_t>(std::lrint(scaled));
    return bits == 24 ? whole >> 8 : whole;
}

inline float toFloat(int32_t value, int bits) {
    return static_cast<float>(value / (bits == 16 ? 32768.0 : bits == 24 ? 8388608.0 : 2147483648.0));
}

}  // namespace vsthost::wav
