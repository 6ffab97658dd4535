// The forty tube tables: four families (A, B: currents i0, i1 of the first triode; C, D:
// currents i2, i3 of the second), ten plate-coordinate slices each, 44,100 grid points
// plus one guard entry per slice. Built once per instance from polynomial data; ~7 MB.
#pragma once

#include <emmintrin.h>

#include "dsp/Float4.h"
#include "dsp/TubeTableData.h"

namespace dsp {

class TubeTables {
public:
    static constexpr int kFamilies = TubeTableCoefficients::kFamilies;
    static constexpr int kSlices = TubeTableCoefficients::kSlices;
    static constexpr int kTables = TubeTableCoefficients::kTables;
    static constexpr int kGridPoints = 44100;
    static constexpr int kEntries = kGridPoints + 1;  // the last repeats the one before
    enum Family { kFamilyA, kFamilyB, kFamilyC, kFamilyD };

    // Evaluates every slice's polynomial at x = step * j - 1 (j = 0..44099, step = 2/44099
    // in single precision), summing power 0 to 20 in single precision, times its scale.
    void build(const TubeTableCoefficients& data);

    const float* slice(int family, int sliceIndex) const {
        return &entries_[(family * kSlices + sliceIndex) * kEntries];
    }

    // Bilinear read of one family at grid coordinate g and plate coordinate a, both in
    // [0, 1] (the caller clamps).
    float read(int family, float g, float a) const;

    // Both currents of a triode, families firstFamily and firstFamily + 1, for both
    // channels: coordinates (g left, g right, a left, a right) give (first family left,
    // right, second family left, right), each exactly as read() gives it.
    inline Float4 readTriode(int firstFamily, Float4 coordinates) const;

private:
    alignas(64) float entries_[kTables * kEntries];
};

inline Float4 TubeTables::readTriode(int firstFamily, Float4 coordinates) const {
    constexpr int kLastSlice = kSlices - 1;
    constexpr float kGridScale = kGridPoints - 1;
    // (grid position left, right, slice position left, right)
    const Float4 positions = coordinates * Float4{kGridScale, kGridScale, kLastSlice, kLastSlice};
    const Int4 index = __builtin_convertvector(positions, Int4);
    const Float4 fraction = positions - __builtin_convertvector(index, Float4);

    // Two neighbouring grid points per load. The right neighbour is always j + 1: at
    // j = 44099 that is the guard entry, equal to entry 44099, exactly what the capped
    // index would read. The upper slice is capped at 9.
    const float* member0 = slice(firstFamily, 0);
    const float* member1 = slice(firstFamily + 1, 0);
    const auto pair = [](const float* at) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(at)));
    };
    const int lowerLeft = index[2] * kEntries + index[0];
    const int lowerRight = index[3] * kEntries + index[1];
    const int upperLeft = lowerLeft + (index[2] < kLastSlice ? kEntries : 0);
    const int upperRight = lowerRight + (index[3] < kLastSlice ? kEntries : 0);
    const auto corners = [&](int left, int right, Float4& atJ, Float4& atJ1) {
        const Float4 m0 = _mm_unpacklo_ps(pair(member0 + left), pair(member0 + right));
        const Float4 m1 = _mm_unpacklo_ps(pair(member1 + left), pair(member1 + right));
        atJ = _mm_movelh_ps(m0, m1);   // j:     member 0 left, right, member 1 left, right
        atJ1 = _mm_movehl_ps(m1, m0);  // j + 1: the same order
    };
    Float4 lowerJ, lowerJ1, upperJ, upperJ1;
    corners(lowerLeft, lowerRight, lowerJ, lowerJ1);
    corners(upperLeft, upperRight, upperJ, upperJ1);

    const Float4 fg = __builtin_shufflevector(fraction, fraction, 0, 1, 0, 1);
    const Float4 fa = __builtin_shufflevector(fraction, fraction, 2, 3, 2, 3);
    const Float4 tk = lowerJ + (lowerJ1 - lowerJ) * fg;
    const Float4 tk2 = upperJ + (upperJ1 - upperJ) * fg;
    return tk + (tk2 - tk) * fa;
}

}  // namespace dsp
