#include "dsp/TubeTables.h"

#include <algorithm>
#include <cstring>

#include "dsp/FloatMode.h"
#include "dsp/RoundedPowers.h"

namespace dsp {
namespace {

constexpr int kLastGridIndex = TubeTables::kGridPoints - 1;  // 44099
constexpr int kLastSlice = TubeTables::kSlices - 1;          // 9
constexpr float kGridScale = static_cast<float>(kLastGridIndex);
constexpr float kSliceScale = static_cast<float>(kLastSlice);

// Grid points handled together: their powers are computed once and reused by all forty
// slices while they are in the first-level cache.
constexpr int kChunk = 64;
static_assert(TubeTables::kGridPoints % 4 == 0 && kChunk % 4 == 0);

}  // namespace

void TubeTables::build(const TubeTableCoefficients& data) {
    ScopedIeeeFloatMode ieeeMode;
    constexpr int kTerms = kPolynomialDegree + 1;
    static_assert(TubeTableCoefficients::kDegree == kPolynomialDegree);
    const float step = 2.0f / kGridScale;

    alignas(16) float powers[kTerms][kChunk];
    for (int chunkStart = 0; chunkStart < kGridPoints; chunkStart += kChunk) {
        const int count = std::min(kChunk, kGridPoints - chunkStart);
        for (int n = 0; n < count; ++n) {
            const float x = step * static_cast<float>(chunkStart + n) - 1.0f;
            float column[kTerms];
            roundedPowers(x, column);
            for (int p = 0; p < kTerms; ++p) powers[p][n] = column[p];
        }
        for (int table = 0; table < kTables; ++table) {
            const float* highestFirst = &data.coefficients[table * kTerms];
            const float scale = data.scale[table];
            float* out = &entries_[table * kEntries + chunkStart];
            for (int n = 0; n < count; n += 4) {
                Float4 sum{};
                for (int p = 0; p < kTerms; ++p) {
                    Float4 power;
                    std::memcpy(&power, &powers[p][n], sizeof power);
                    sum = sum + power * highestFirst[kPolynomialDegree - p];
                }
                const Float4 entry = sum * scale;
                std::memcpy(out + n, &entry, sizeof entry);
            }
        }
    }
    for (int table = 0; table < kTables; ++table) {
        float* entries = &entries_[table * kEntries];
        entries[kGridPoints] = entries[kLastGridIndex];
    }
}

float TubeTables::read(int family, float g, float a) const {
    const float slicePosition = a * kSliceScale;
    const int k = static_cast<int>(slicePosition);
    const float fa = slicePosition - static_cast<float>(k);
    const int k2 = std::min(k + 1, kLastSlice);
    const float gridPosition = g * kGridScale;
    const int j = static_cast<int>(gridPosition);
    const float fg = gridPosition - static_cast<float>(j);
    const int j2 = std::min(j + 1, kLastGridIndex);
    const float* lower = slice(family, k);
    const float* upper = slice(family, k2);
    const float tk = lower[j] + (lower[j2] - lower[j]) * fg;
    const float tk2 = upper[j] + (upper[j2] - upper[j]) * fg;
    return tk + (tk2 - tk) * fa;
}

void TubeTables::readTriode(int firstFamily, Float4 g, Float4 a, Float4& first,
                            Float4& second) const {
    const Float4 gridPosition = g * kGridScale;
    const Float4 slicePosition = a * kSliceScale;
    const Int4 j = __builtin_convertvector(gridPosition, Int4);
    const Int4 k = __builtin_convertvector(slicePosition, Int4);
    const Float4 fg = gridPosition - __builtin_convertvector(j, Float4);
    const Float4 fa = slicePosition - __builtin_convertvector(k, Float4);

    // Corners in lanes (first family left, right, second family left, right). The right
    // grid neighbour is always j + 1: at j = 44099 that is the guard entry, equal to entry
    // 44099, exactly as the capped index would read.
    // corner[0..3]: lower slice at j and j + 1, upper slice at j and j + 1.
    float corner[4][4];
    for (int lane = 0; lane < 2; ++lane) {
        const int lowerOffset = k[lane] * kEntries + j[lane];
        const int upperOffset = lowerOffset + (k[lane] < kLastSlice ? kEntries : 0);
        for (int member = 0; member < 2; ++member) {
            const float* family = slice(firstFamily + member, 0);
            const int slot = member * 2 + lane;
            corner[0][slot] = family[lowerOffset];
            corner[1][slot] = family[lowerOffset + 1];
            corner[2][slot] = family[upperOffset];
            corner[3][slot] = family[upperOffset + 1];
        }
    }
    Float4 lowerLeft, lowerRight, upperLeft, upperRight;
    std::memcpy(&lowerLeft, corner[0], sizeof lowerLeft);
    std::memcpy(&lowerRight, corner[1], sizeof lowerRight);
    std::memcpy(&upperLeft, corner[2], sizeof upperLeft);
    std::memcpy(&upperRight, corner[3], sizeof upperRight);
    const Float4 fg4 = __builtin_shuffle(fg, Int4{0, 1, 0, 1});
    const Float4 fa4 = __builtin_shuffle(fa, Int4{0, 1, 0, 1});
    const Float4 tk = lowerLeft + (lowerRight - lowerLeft) * fg4;
    const Float4 tk2 = upperLeft + (upperRight - upperLeft) * fg4;
    first = tk + (tk2 - tk) * fa4;
    second = __builtin_shuffle(first, Int4{2, 3, 0, 1});
}

}  // namespace dsp
