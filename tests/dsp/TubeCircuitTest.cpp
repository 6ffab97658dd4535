#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "TestSupport.h"
#include "dsp/FloatMode.h"
#include "dsp/TubeCircuit.h"

namespace {

using dsp::TubeCircuit;
using dsp::TubeTables;

class TubeCircuitTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        squareLaw = new TubeTables;
        squareLaw->build(dsptest::squareLawCoefficients());
        silent = new TubeTables;
        silent->build(dsp::TubeTableCoefficients{});
    }
    static void TearDownTestSuite() {
        delete squareLaw;
        delete silent;
    }
    static TubeTables* squareLaw;
    static TubeTables* silent;
    dsp::ScopedNoDenormals noDenormals;
};
TubeTables* TubeCircuitTest::squareLaw = nullptr;
TubeTables* TubeCircuitTest::silent = nullptr;

TEST_F(TubeCircuitTest, StereoLanesEqualTwoScalarCircuits) {
    TubeCircuit left, right;
    dsp::StereoTubeCircuit both;
    std::mt19937 random(11);
    std::normal_distribution<float> drive(0.0f, 3.0f);
    for (int n = 0; n < 50000; ++n) {
        const float uL = drive(random) + (n % 2000 < 1000 ? 25.0f : -25.0f);
        const float uR = drive(random);
        const dsp::Float4 out = both.step(dsp::stereo(uL, uR), *squareLaw);
        ASSERT_EQ(out[0], left.step(uL, *squareLaw)) << n;
        ASSERT_EQ(out[1], right.step(uR, *squareLaw)) << n;
    }
}

TEST_F(TubeCircuitTest, SettlesOnAnOperatingPointAndPassesSignal) {
    TubeCircuit circuit;
    float vOut = 0.0f;
    for (int n = 0; n < 192000; ++n) vOut = circuit.step(0.0f, *squareLaw);
    ASSERT_TRUE(std::isfinite(vOut));
    const float operatingPoint = vOut;
    EXPECT_EQ(circuit.step(0.0f, *squareLaw), operatingPoint);
    // A small drive swings the output around the operating point.
    float low = INFINITY, high = -INFINITY;
    for (int n = 0; n < 19200; ++n) {
        const float v = circuit.step(0.5f * std::sin(n * 0.0327f), *squareLaw);
        low = std::min(low, v);
        high = std::max(high, v);
    }
    EXPECT_LT(low, operatingPoint);
    EXPECT_GT(high, operatingPoint);
}

TEST_F(TubeCircuitTest, FirstTriodeContinuesLinearlyAboveItsGridRange) {
    // With empty tables only the extension above p0 = 20 V draws current.
    TubeCircuit circuit;
    circuit.state[0] = -0.001f;  // p0 = 62.53 + 0.054 * 270 V, far above 20 V
    circuit.step(0.0f, *silent);
    const float p0 = -62530.0234f * -0.001f + 0.054009784f * 270.0f;
    EXPECT_NEAR(circuit.currents[0], (p0 - 20.0f) * 0.0000143245574543015f, 1e-8f);
    EXPECT_NEAR(circuit.currents[1], (p0 - 20.0f) * 0.0000475537924389167f, 1e-8f);
    EXPECT_EQ(circuit.currents[2], 0.0f);
    EXPECT_EQ(circuit.currents[3], 0.0f);
}

TEST_F(TubeCircuitTest, VoltagesFarOutsideTheTablesReadTheirEdges) {
    for (float x0 : {-1e6f, 1e6f}) {
        TubeCircuit circuit;
        circuit.state[0] = x0;
        circuit.step(0.0f, *squareLaw);
        for (float current : circuit.currents) EXPECT_TRUE(std::isfinite(current)) << x0;
    }
    // p2 far below the second triode's range: grid coordinate 0, no current.
    TubeCircuit circuit;
    circuit.state[3] = 1e4f;
    circuit.step(0.0f, *squareLaw);
    EXPECT_EQ(circuit.currents[2], 0.0f);
}

TEST_F(TubeCircuitTest, NonFiniteDriveNeverLeavesTheTables) {
    for (float u : {NAN, INFINITY, -INFINITY, 1e30f, -1e30f}) {
        TubeCircuit circuit;
        for (int n = 0; n < 3; ++n) circuit.step(u, *squareLaw);
        SUCCEED();
    }
}

}  // namespace
