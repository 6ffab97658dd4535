// The generated tables against their published figures, and the smoothness the circuit
// needs: no entry-to-entry jitter, no negative grid current worth the name, plate currents
// that do not fall as the grid rises.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "BuiltTables.h"
#include "dsp/TubeTableData.h"
#include "tools/tables/PublishedTableFigures.h"

namespace {

using namespace tubetables;
using tubetablestest::builtTables;

constexpr int kLastEntry = dsp::TubeTables::kGridPoints - 1;
constexpr const char* kFamilyName = "ABCD";
enum { kA, kB, kC, kD };

// Every slice in units of its scale.
template <class Check>
void forEachSlice(Check check) {
    for (int family = 0; family < kFamilies; ++family)
        for (int k = 0; k < kSlices; ++k) {
            SCOPED_TRACE(::testing::Message() << kFamilyName[family] << k);
            check(family, k, builtTables().slice(family, k), double(kScale[family][k]));
        }
}

TEST(TubeTableData, ScaleFactorsAreThePublishedOnes) {
    for (int family = 0; family < kFamilies; ++family)
        for (int k = 0; k < kSlices; ++k)
            EXPECT_EQ(dsp::kTubeTableCoefficients.scale[family * kSlices + k], kScale[family][k])
                << kFamilyName[family] << k;
}

TEST(TubeTableShape, PublishedValuesOfTheFirstAndLastSlices) {
    for (int family = 0; family < kFamilies; ++family)
        for (int s = 0; s < 2; ++s) {
            const int k = kFigureSlices[s];
            // The corner where the first slice's plate current sets in is the hardest shape
            // for the polynomial.
            const double tolerance = family == kB && k == 0 ? 0.05 : 0.02;
            const double scale = kScale[family][k];
            for (int e = 0; e < kFigureEntries; ++e)
                EXPECT_NEAR(builtTables().slice(family, k)[kFigureEntry[e]],
                            kFigure[family][s][e], tolerance * scale)
                    << kFamilyName[family] << k << " entry " << kFigureEntry[e];
        }
}

TEST(TubeTableShape, LastEntryIsTheScale) {
    forEachSlice([](int, int, const float* entries, double scale) {
        EXPECT_NEAR(entries[kLastEntry], scale, 0.01 * scale);
    });
}

TEST(TubeTableShape, NoJitterFromEntryToEntry) {
    forEachSlice([](int, int, const float* entries, double scale) {
        double worst = 0.0;
        for (int j = 1; j < kLastEntry; ++j)
            worst = std::max(worst, std::abs(double(entries[j + 1]) - 2.0 * entries[j] + entries[j - 1]));
        EXPECT_LE(worst, 0.001 * scale);
    });
}

TEST(TubeTableShape, GridCurrentsHardlyDipBelowZero) {
    forEachSlice([](int family, int, const float* entries, double scale) {
        if (family != kA && family != kC) return;
        EXPECT_GE(*std::min_element(entries, entries + kLastEntry + 1), -0.01 * scale);
    });
}

TEST(TubeTableShape, PlateCurrentsDoNotFallAsTheGridRises) {
    forEachSlice([](int family, int, const float* entries, double scale) {
        if (family != kB && family != kD) return;
        double peak = entries[0], largestDrop = 0.0;
        for (int j = 1; j <= kLastEntry; ++j) {
            peak = std::max(peak, double(entries[j]));
            largestDrop = std::max(largestDrop, peak - entries[j]);
        }
        EXPECT_LE(largestDrop, (family == kD ? 0.001 : 0.05) * scale);
    });
}

}  // namespace
