// The plug-in's circuit step running on the generated tables: it must settle on an
// operating point inside the tables, amplify a small signal with the design's gain,
// distort gently at low drive and clearly at high drive, and stay bounded.
#include <gtest/gtest.h>

#include <numbers>
#include <algorithm>
#include <cmath>
#include <vector>

#include "BuiltTables.h"
#include "dsp/Coefficients.h"
#include "dsp/FloatMode.h"
#include "dsp/TubeCircuit.h"
#include "tools/analysis/HarmonicAnalysis.h"

namespace {

using dsp::Float4;
using dsp::StereoTubeCircuit;
using tubetablestest::builtTables;

constexpr int kInternalRate = 192000;
constexpr int kWarmupSteps = kInternalRate;  // the tube stage's one-second warm-up mute
constexpr int kPeriod = kInternalRate / 1000;  // 1 kHz: exactly 192 steps per period

// Amplitudes of harmonics 1..10 of the 1 kHz fundamental in a whole number of periods.
std::vector<double> harmonics(const std::vector<double>& signal) {
    return analysis::harmonicAmplitudes(signal, 1.0 / kPeriod, 10);
}

double thd(const std::vector<double>& amplitude) {
    return analysis::totalHarmonicDistortion(amplitude);
}

class TubeCircuitWithTables : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dsp::ScopedNoDenormals noDenormals;
        settled = new StereoTubeCircuit;
        for (int n = 0; n < kWarmupSteps; ++n) settled->step(Float4{}, builtTables());
    }
    static void TearDownTestSuite() { delete settled; }

    struct Response {
        std::vector<double> left, right;
    };
    // Drives the settled circuit with a 1 kHz sine of amplitude left and right; returns
    // 100 periods of each channel after the DC blocker, once it has settled.
    static Response blockedResponse(float left, float right) {
        StereoTubeCircuit circuit = *settled;
        const dsp::FixedCoefficients fixed =
            dsp::FixedCoefficients::forRate(dsp::RateQuantities::forRate(44100.0f));
        const Float4 dcBlockCoef = dsp::splat(fixed.dcBlockCoef);
        Float4 previousIn = circuit.step(Float4{}, builtTables()), previousOut{};
        Response out;
        constexpr int kSettle = 100 * kPeriod, kMeasure = 100 * kPeriod;
        for (int n = 0; n < kSettle + kMeasure; ++n) {
            const float s = static_cast<float>(std::sin(2.0 * std::numbers::pi * (n % kPeriod) / kPeriod));
            const Float4 vOut = circuit.step(dsp::stereo(left * s, right * s), builtTables());
            const Float4 h = vOut - previousIn + dcBlockCoef * previousOut;
            previousIn = vOut;
            previousOut = h;
            if (n >= kSettle) {
                out.left.push_back(h[0]);
                out.right.push_back(h[1]);
            }
        }
        return out;
    }

    dsp::ScopedNoDenormals noDenormals;
    static StereoTubeCircuit* settled;
};
StereoTubeCircuit* TubeCircuitWithTables::settled = nullptr;

TEST_F(TubeCircuitWithTables, SettlesWithinTheWarmupInsideEveryTable) {
    // The scalar circuit (lane for lane the same floats) shows its state and currents.
    dsp::TubeCircuit circuit;
    float vOut = 0.0f;
    for (int n = 0; n < kWarmupSteps; ++n) vOut = circuit.step(0.0f, builtTables());
    ASSERT_TRUE(circuit.isFinite());

    using namespace dsp::circuit;
    float values[kColumns];
    for (int s = 0; s < dsp::TubeCircuit::kStates; ++s) values[s] = circuit.state[s];
    values[kU] = 0.0f;
    values[kV] = kSupplyVoltage;
    for (int c = 0; c < dsp::TubeCircuit::kCurrents; ++c) values[kI0 + c] = circuit.currents[c];
    const float p0 = rowSum<kVoltages, 0>(values), p1 = rowSum<kVoltages, 1>(values);
    const float p2 = rowSum<kVoltages, 2>(values), p3 = rowSum<kVoltages, 3>(values);
    const float coordinates[] = {(p0 + 4.0f) / 24.0f, (p1 - 50.0f) / 150.0f, (p2 - 5.0f) / 40.0f,
                                 (p3 - 100.0f) / 200.0f};
    for (float c : coordinates) {
        EXPECT_GT(c, 0.02f) << p0 << " " << p1 << " " << p2 << " " << p3;
        EXPECT_LT(c, 0.98f) << p0 << " " << p1 << " " << p2 << " " << p3;
    }

    // Another tenth of a second moves the operating point by less than 0.1 %.
    float later = vOut;
    for (int n = 0; n < kInternalRate / 10; ++n) later = circuit.step(0.0f, builtTables());
    EXPECT_NEAR(later, vOut, 0.001f * vOut);
}

TEST_F(TubeCircuitWithTables, SmallSignalGainAtOneKilohertz) {
    const double gain = harmonics(blockedResponse(0.01f, 0.0f).left)[1] / 0.01;
    EXPECT_GE(gain, 20.0);
    EXPECT_LE(gain, 25.0);
}

TEST_F(TubeCircuitWithTables, DistortionIsLowAndEvenAtLowDriveAndClearAtHighDrive) {
    const Response response = blockedResponse(0.1f, 1.0f);
    const std::vector<double> softHarmonics = harmonics(response.left);
    EXPECT_LT(thd(softHarmonics), 0.005);
    EXPECT_GT(softHarmonics[2], softHarmonics[3]);  // second harmonic first
    const double loudThd = thd(harmonics(response.right));
    EXPECT_GT(loudThd, 0.05);
    EXPECT_LT(loudThd, 0.25);
}

TEST_F(TubeCircuitWithTables, HeavyDriveStaysFiniteAndBelowTheSupply) {
    struct Drive {
        float amplitude, frequency;
    };
    // Sines up to 30 V, and a 30 V square wave (left) against a constant 30 V (right).
    const Drive drives[] = {{3.0f, 1000.0f}, {10.0f, 100.0f}, {30.0f, 1000.0f}, {30.0f, 10000.0f}, {30.0f, 0.0f}};
    for (const Drive& drive : drives) {
        StereoTubeCircuit circuit = *settled;
        float lowest = INFINITY, highest = -INFINITY;
        for (int n = 0; n < kInternalRate / 4; ++n) {
            Float4 u;
            if (drive.frequency > 0.0f) {
                const float s = drive.amplitude *
                                static_cast<float>(std::sin(2.0 * std::numbers::pi * drive.frequency * n / kInternalRate));
                u = dsp::stereo(s, -s);
            } else {
                u = dsp::stereo(n % 4000 < 2000 ? drive.amplitude : -drive.amplitude, drive.amplitude);
            }
            const Float4 vOut = circuit.step(u, builtTables());
            lowest = std::min({lowest, vOut[0], vOut[1]});
            highest = std::max({highest, vOut[0], vOut[1]});
        }
        SCOPED_TRACE(::testing::Message() << drive.amplitude << " V at " << drive.frequency << " Hz");
        EXPECT_TRUE(circuit.isFinite());
        EXPECT_GE(lowest, 0.0f);
        EXPECT_LE(highest, dsp::circuit::kSupplyVoltage);
    }
}

}  // namespace
