// Level <-> decibel conversion through interpolated tables, so that no logarithm or
// exponential runs per sample. Built from their rules when the library loads.
#pragma once

#include "dsp/Float4.h"

namespace dsp {

struct LevelTables {
    static constexpr int kEntries = 10001;  // 10,000 points and a guard repeating the last
    static constexpr int kLastIndex = kEntries - 2;

    float levelToDbTable[kEntries];  // 20 log10(0.0001 + i * delta)
    float dbToLevelTable[kEntries];  // 10^((-80 + i * 104 / 9999) / 20)
    float upperLevel;                // 10^1.2, +24 dB
    float lowerLevel;                // 10^-4, -80 dB
    float levelIndexScale;           // 1 / delta
    float dbIndexScale;              // 9999 / 104

    // For lowerLevel <= level < upperLevel. With Float4, lanes 0 and 1 (2 and 3 give a
    // finite value of no meaning).
    template <class Sample>
    Sample levelToDb(Sample level) const {
        return interpolate(levelToDbTable, (level - constant<Sample>(lowerLevel)) *
                                               constant<Sample>(levelIndexScale));
    }
    // For -80 <= db < 24.
    template <class Sample>
    Sample dbToLevel(Sample db) const {
        return interpolate(dbToLevelTable,
                           (db + constant<Sample>(80.0f)) * constant<Sample>(dbIndexScale));
    }

private:
    // A position outside the table (only a non-finite or out-of-range argument gives
    // one) reads its nearest edge instead of memory beyond it. Inside, and up to the
    // guard, the result is the plain interpolation.
    template <class Sample>
    static Sample interpolate(const float* table, Sample position) {
        constexpr Sample kZero{};
        constexpr Sample kLast = constant<Sample>(static_cast<float>(kLastIndex));
        position = lesserOf(greaterOf(position, kZero), kLast);
        Sample below, above, index;
        if constexpr (sizeof(Sample) == sizeof(float)) {
            const int i = static_cast<int>(position);
            below = table[i];
            above = table[i + 1];
            index = static_cast<float>(i);
        } else {
            // Each lane's two neighbours in one load: (T[i0], T[i1], T[i0 + 1], T[i1 + 1]).
            const Int4 i = __builtin_convertvector(position, Int4);
            const auto neighbours = [&](int at) {
                return _mm_loadl_pi(Float4{}, reinterpret_cast<const __m64*>(table + at));
            };
            below = _mm_unpacklo_ps(neighbours(i[0]), neighbours(i[1]));
            above = secondPair(below);
            index = __builtin_convertvector(i, Sample);
        }
        return below + (above - below) * (position - index);
    }
};

extern const LevelTables levelTables;

}  // namespace dsp
