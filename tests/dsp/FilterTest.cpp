#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "TestSupport.h"
#include "dsp/EllipticLowpass.h"
#include "dsp/FloatMode.h"
#include "dsp/OptimalInterpolator.h"

namespace {

// Steady-state gain of the lowpass in dB at a frequency in cycles per sample.
double lowpassGainDb(double frequency) {
    dsp::ScopedNoDenormals noDenormals;
    dsp::EllipticLowpass<float> lowpass;
    constexpr int kSettle = 20000, kMeasure = 20000;
    std::vector<float> out(kSettle + kMeasure);
    const auto in = dsptest::sine(kSettle + kMeasure, frequency, 1.0, 0.5);
    for (int n = 0; n < kSettle + kMeasure; ++n) out[n] = lowpass.process(in[n]);
    return dsptest::sineFitDb(out, kSettle, kSettle + kMeasure, frequency, 1.0) -
           20.0 * std::log10(0.5 / std::sqrt(2.0));
}

TEST(EllipticLowpass, DcGain) {
    dsp::EllipticLowpass<float> lowpass;
    float y = 0.0f;
    for (int n = 0; n < 20000; ++n) y = lowpass.process(1.0f);
    // -0.1978 dB with exact arithmetic; the single-precision recursion settles within
    // a hundredth of a dB of it.
    EXPECT_NEAR(20.0 * std::log10(y), -0.198, 0.01);
}

TEST(EllipticLowpass, PassbandRippleAndStopband) {
    for (double f : {0.005, 0.02, 0.05, 0.08, 0.1, 0.115, 0.124}) {
        const double gain = lowpassGainDb(f);
        EXPECT_LT(gain, 0.05) << f;
        EXPECT_GT(gain, -0.45) << f;
    }
    for (double f : {0.2, 0.25, 0.3, 0.4, 0.49}) EXPECT_LT(lowpassGainDb(f), -75.0) << f;
}

TEST(EllipticLowpass, StereoLanesMatchScalar) {
    dsp::EllipticLowpass<float> left, right;
    dsp::EllipticLowpass<dsp::Float4> both;
    const auto a = dsptest::sine(3000, 0.01, 1.0, 0.7);
    const auto b = dsptest::sine(3000, 0.21, 1.0, 0.3, 1.0);
    for (int n = 0; n < 3000; ++n) {
        const dsp::Float4 y = both.process(dsp::stereo(a[n], b[n]));
        ASSERT_EQ(y[0], left.process(a[n]));
        ASSERT_EQ(y[1], right.process(b[n]));
    }
}

TEST(ZeroStuffedLowpass, EqualsTheLowpassFedWithZeroStuffing) {
    dsp::EllipticLowpass<float> plain;
    dsp::ZeroStuffedLowpass<float> stuffed;
    const auto host = dsptest::sine(2000, 0.03, 1.0, 0.8);
    for (float x : host)
        for (int phase = 0; phase < 4; ++phase)
            ASSERT_EQ(stuffed.process(phase, x), plain.process(phase == 0 ? x : 0.0f));
}

TEST(OptimalInterpolator, ReconstructsAFourTimesOversampledSine) {
    // Points at 4x oversampling of a sine well inside the band; the interpolator runs
    // between points 3 and 2 (z from -0.5 to 0.5).
    const double w = 2.0 * std::numbers::pi * 0.02;
    for (double start : {0.0, 0.3, 1.7}) {
        float points[6];
        for (int i = 0; i < 6; ++i) points[i] = static_cast<float>(std::sin(w * (start + 5 - i)));
        const auto poly = dsp::OptimalInterpolator<float>::fromPoints(points);
        for (float z : {-0.5f, -0.25f, 0.0f, 0.3f, 0.5f}) {
            const double t = start + 2.5 + z;  // between the oldest-but-two and the next
            // the optimal design trades about 0.5 % of passband gain for its stopband
            EXPECT_NEAR(poly.value(z), std::sin(w * t), 0.006 * std::fabs(std::sin(w * t)) + 1e-4)
                << start << ", " << z;
        }
    }
    float constant[6] = {0.25f, 0.25f, 0.25f, 0.25f, 0.25f, 0.25f};
    const auto flat = dsp::OptimalInterpolator<float>::fromPoints(constant);
    for (float z : {-0.5f, 0.0f, 0.5f}) EXPECT_NEAR(flat.value(z), 0.25f, 1e-6f);
}

}  // namespace
