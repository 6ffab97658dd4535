#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "ExactPower.h"
#include "dsp/RoundedPowers.h"

namespace {

bool sameFloat(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectCorrectlyRounded(float x) {
    float powers[dsp::kPolynomialDegree + 1];
    dsp::roundedPowers(x, powers);
    for (int p = 0; p <= dsp::kPolynomialDegree; ++p) {
        const float exact = dsptest::exactRoundedPower(x, p);
        ASSERT_TRUE(sameFloat(powers[p], exact))
            << "x = " << x << ", p = " << p << ": " << powers[p] << " vs " << exact;
    }
}

TEST(ExactPower, KnownValues) {
    EXPECT_EQ(dsptest::exactRoundedPower(3.0f, 15), 14348907.0f);
    EXPECT_EQ(dsptest::exactRoundedPower(-0.5f, 3), -0.125f);
    EXPECT_EQ(dsptest::exactRoundedPower(3.0f, 16), 43046720.0f);  // 43046721 rounded to 24 bits
    EXPECT_EQ(dsptest::exactRoundedPower(0x1p-20f, 8), 0.0f);       // far below subnormals
    EXPECT_EQ(dsptest::exactRoundedPower(0x1p-10f, 14), 0x1p-140f);  // subnormal, exact
    EXPECT_EQ(dsptest::exactRoundedPower(0x1.8p-75f, 2), 0x1p-149f);  // 1.125 quanta
    EXPECT_EQ(dsptest::exactRoundedPower(0x1p-75f, 2), 0.0f);         // half a quantum, to even
}

// Every x of the tube-table grid, every power: the build depends on nothing else.
TEST(RoundedPowers, CorrectlyRoundedOnTheWholeGrid) {
    const float step = 2.0f / 44099.0f;
    for (int j = 0; j < 44100; ++j) expectCorrectlyRounded(step * static_cast<float>(j) - 1.0f);
}

TEST(RoundedPowers, TiesSubnormalsAndExtremes) {
    for (float x : {3.0f / 64.0f, 0.75f, -0.9999999f, 1.0f, -1.0f, 0.0f, 1e-3f, 0x1.000002p-1f,
                    0x1.fffffep-1f, -0x1p-7f, 2.2675e-5f})
        expectCorrectlyRounded(x);
}

}  // namespace
