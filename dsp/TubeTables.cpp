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

}  // namespace dsp
