#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <random>

#include "ExactPower.h"
#include "TestSupport.h"
#include "dsp/FloatMode.h"
#include "dsp/TubeTables.h"

namespace {

using dsp::TubeTableCoefficients;
using dsp::TubeTables;
constexpr int kTerms = TubeTableCoefficients::kDegree + 1;

std::unique_ptr<TubeTables> build(const TubeTableCoefficients& data) {
    auto tables = std::make_unique<TubeTables>();
    tables->build(data);
    return tables;
}

float gridX(int j) { return 2.0f / 44099.0f * static_cast<float>(j) - 1.0f; }

TubeTableCoefficients randomCoefficients() {
    TubeTableCoefficients data{};
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coefficient(-3.0f, 3.0f);
    for (float& c : data.coefficients) c = coefficient(random);
    for (int t = 0; t < TubeTableCoefficients::kTables; ++t) data.scale[t] = 0.001f * (t + 1);
    return data;
}

TEST(TubeTables, LayoutFamilyBySliceAndGuard) {
    TubeTableCoefficients data{};
    for (int t = 0; t < TubeTableCoefficients::kTables; ++t) {
        data.scale[t] = 1.0f;
        data.coefficients[t * kTerms + kTerms - 1] = static_cast<float>(t);  // power 0
    }
    const auto tables = build(data);
    for (int family = 0; family < 4; ++family)
        for (int slice = 0; slice < 10; ++slice) {
            const float* entries = tables->slice(family, slice);
            const float expected = static_cast<float>(family * 10 + slice);
            for (int j : {0, 1, 22050, 44099, 44100}) EXPECT_EQ(entries[j], expected);
        }
}

TEST(TubeTables, CoefficientsRunFromPowerTwentyDown) {
    TubeTableCoefficients data{};
    data.scale[0] = 1.0f;
    data.coefficients[0] = 1.0f;  // power 20 of table A0
    data.scale[1] = 1.0f;
    data.coefficients[kTerms + 19] = 1.0f;  // power 1 of table A1
    const auto tables = build(data);
    for (int j : {0, 1000, 22049, 22050, 30000, 44099}) {
        EXPECT_EQ(tables->slice(0, 0)[j], dsptest::exactRoundedPower(gridX(j), 20)) << j;
        EXPECT_EQ(tables->slice(0, 1)[j], gridX(j)) << j;
    }
}

TEST(TubeTables, EveryEntryFromExactPowersSummedInOrder) {
    const TubeTableCoefficients data = randomCoefficients();
    const auto tables = build(data);
    for (int table : {0, 17, 39}) {
        const float* coefficients = &data.coefficients[table * kTerms];
        const float* entries = tables->slice(table / 10, table % 10);
        for (int j = 0; j < TubeTables::kGridPoints; ++j) {
            const float x = gridX(j);
            float sum = 0.0f;
            for (int p = 0; p < kTerms; ++p)
                sum = sum + dsptest::exactRoundedPower(x, p) * coefficients[kTerms - 1 - p];
            ASSERT_EQ(entries[j], sum * data.scale[table]) << "table " << table << ", j " << j;
        }
        EXPECT_EQ(entries[TubeTables::kGridPoints], entries[TubeTables::kGridPoints - 1]);
    }
}

TEST(TubeTables, BuildIgnoresTheCallersFloatMode) {
    // Powers of x near 0 fall into the subnormal range; a flushing caller must not
    // change the tables.
    TubeTableCoefficients data = randomCoefficients();
    for (int t = 0; t < TubeTableCoefficients::kTables; ++t)
        data.coefficients[t * kTerms + 20 - 9] = 1e30f;  // weights x^9
    const auto plain = build(data);
    auto flushed = std::make_unique<TubeTables>();
    {
        dsp::ScopedNoDenormals flushing;
        flushed->build(data);
    }
    EXPECT_EQ(std::memcmp(plain.get(), flushed.get(), sizeof(TubeTables)), 0);
}

// Tables with a shape known in both coordinates: slice k holds k + x (x = 2g - 1).
class BilinearRead : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        TubeTableCoefficients data{};
        for (int t = 0; t < TubeTableCoefficients::kTables; ++t) {
            data.scale[t] = 1.0f;
            data.coefficients[t * kTerms + 19] = 1.0f;
            data.coefficients[t * kTerms + 20] = static_cast<float>(t % 10) + 100.0f * (t / 10);
        }
        tables = build(data).release();
    }
    static void TearDownTestSuite() { delete tables; }
    static TubeTables* tables;
};
TubeTables* BilinearRead::tables = nullptr;

TEST_F(BilinearRead, InterpolatesBothCoordinates) {
    for (int family = 0; family < 4; ++family)
        for (float g : {0.0f, 0.1f, 0.5f, 0.77f, 0.99999f})
            for (float a : {0.0f, 0.05f, 0.5f, 0.93f}) {
                const float expected = 100.0f * family + 9.0f * a + (2.0f * g - 1.0f);
                EXPECT_NEAR(tables->read(family, g, a), expected, 2e-4f) << g << ", " << a;
            }
}

TEST_F(BilinearRead, TopEdgesReadTheLastEntryAndSliceAlone) {
    const float* slice9 = tables->slice(2, 9);
    EXPECT_EQ(tables->read(2, 1.0f, 1.0f), slice9[44099]);
    EXPECT_EQ(tables->read(2, 0.0f, 1.0f), slice9[0]);
    EXPECT_EQ(tables->read(2, 1.0f, 0.0f), tables->slice(2, 0)[44099]);
    EXPECT_EQ(tables->read(2, 0.0f, 0.0f), tables->slice(2, 0)[0]);
}

TEST_F(BilinearRead, StereoTriodeReadEqualsTheScalarRead) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    const float edges[] = {0.0f, 1.0f, std::nextafter(1.0f, 0.0f), 1.0f / 44099.0f, 8.0f / 9.0f};
    for (int n = 0; n < 2000; ++n) {
        const float gl = n < 25 ? edges[n % 5] : unit(random);
        const float al = n < 25 ? edges[n / 5] : unit(random);
        const float gr = unit(random), ar = unit(random);
        for (int first : {TubeTables::kFamilyA, TubeTables::kFamilyC}) {
            const dsp::Float4 currents = tables->readTriode(first, dsp::Float4{gl, gr, al, ar});
            ASSERT_EQ(currents[0], tables->read(first, gl, al));
            ASSERT_EQ(currents[1], tables->read(first, gr, ar));
            ASSERT_EQ(currents[2], tables->read(first + 1, gl, al));
            ASSERT_EQ(currents[3], tables->read(first + 1, gr, ar));
        }
    }
}

}  // namespace
