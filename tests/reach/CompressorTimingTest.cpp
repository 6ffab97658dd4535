// The compressor's attack and release, measured on the published gain reduction after a
// step from silence to a full-scale level and back, against times worked out once from
// the compressor's formulas (a double-precision model of the detector, the level and gain
// smoothing and the gain curve). The attack's rate ratio acts twice, so attack times
// double from 48 to 96 kHz; the release's acts once, and the detector keeps its
// construction-rate coefficient, so release times shrink a little at 96 kHz.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/reach/ReachSupport.h"

namespace {

constexpr int kAttack = 2, kRelease = 3;
// Gain reduction of a constant full-scale input at the default Ratio (threshold -15 dB).
constexpr double kSteadyReductionDb = 10.407;
constexpr double kTolerance = 0.03;

struct Timing {
    float rate;
    float attack;
    float release;
    double expectedMs;
};

// Time from the step up until the reduction reaches 63.2 % of its steady value.
const Timing kAttackTimes[] = {
    {48000.0f, 0.0f, 0.5f, 1.146},   {48000.0f, 0.2f, 0.5f, 3.354},  {48000.0f, 0.5f, 0.5f, 6.771},
    {48000.0f, 1.0f, 0.5f, 116.104}, {96000.0f, 0.0f, 0.5f, 2.271},  {96000.0f, 0.2f, 0.5f, 6.708},
    {96000.0f, 0.5f, 0.5f, 13.531},  {96000.0f, 1.0f, 0.5f, 232.198},
};

// Time from the step down until the reduction falls to 36.8 % of its steady value.
const Timing kReleaseTimes[] = {
    {48000.0f, 0.2f, 0.0f, 177.54}, {48000.0f, 0.2f, 0.5f, 188.12}, {48000.0f, 0.2f, 1.0f, 697.65},
    {96000.0f, 0.2f, 0.0f, 167.41}, {96000.0f, 0.2f, 0.5f, 178.00}, {96000.0f, 0.2f, 1.0f, 687.66},
};

double reductionDb(const reach::Rendering& rendering) {
    return reach::kMeterFullScaleDb * rendering.meters().gainReductionLeft;
}

struct Measured {
    double attackMs;
    double steadyDb;
    double releaseMs;
};

// Blocks of one frame while the reduction rises (the meter then shows each sample); of
// sixteen while it falls, where each block's meter shows its first, largest sample.
Measured measure(const Timing& timing) {
    constexpr int kReleaseBlock = 16;
    const float rate = timing.rate;
    reach::Rendering rendering(rate, {{kAttack, timing.attack}, {kRelease, timing.release}});
    rendering.process(reach::constant(rate, 4.0, 0.0f, 0.0f), 512);

    Measured measured{-1.0, 0.0, -1.0};
    const reach::Stereo one = reach::constant(rate, 1.0 / rate, 1.0f, 1.0f);
    const int attackWindow = static_cast<int>(0.75 * rate);
    for (int n = 1; n <= attackWindow && measured.attackMs < 0; ++n) {
        rendering.process(one, 1);
        if (reductionDb(rendering) >= 0.632 * kSteadyReductionDb) measured.attackMs = 1000.0 * n / rate;
    }
    rendering.process(reach::constant(rate, 1.5, 1.0f, 1.0f), 512);
    measured.steadyDb = reductionDb(rendering);

    const reach::Stereo silence = reach::constant(rate, static_cast<double>(kReleaseBlock) / rate, 0.0f, 0.0f);
    const int releaseBlocks = static_cast<int>(2.5 * rate) / kReleaseBlock;
    for (int block = 0; block < releaseBlocks && measured.releaseMs < 0; ++block) {
        rendering.process(silence, kReleaseBlock);
        if (reductionDb(rendering) <= 0.368 * kSteadyReductionDb)
            measured.releaseMs = 1000.0 * (block * kReleaseBlock + 1) / rate;
    }
    return measured;
}

std::string describe(const Timing& timing) {
    char text[80];
    std::snprintf(text, sizeof text, "%.0f Hz, Attack %.1f, Release %.1f", timing.rate, timing.attack, timing.release);
    return text;
}

TEST(CompressorTiming, AttackTimesFollowTheAttackControl) {
    for (const Timing& timing : kAttackTimes) {
        SCOPED_TRACE(describe(timing));
        const Measured measured = measure(timing);
        std::printf("%s: attack %.3f ms (expected %.3f)\n", describe(timing).c_str(), measured.attackMs,
                    timing.expectedMs);
        EXPECT_NEAR(measured.steadyDb, kSteadyReductionDb, 0.05);
        EXPECT_NEAR(measured.attackMs, timing.expectedMs,
                    std::max(kTolerance * timing.expectedMs, 2000.0 / timing.rate));
    }
}

TEST(CompressorTiming, ReleaseTimesFollowTheReleaseControl) {
    for (const Timing& timing : kReleaseTimes) {
        SCOPED_TRACE(describe(timing));
        const Measured measured = measure(timing);
        std::printf("%s: release %.2f ms (expected %.2f)\n", describe(timing).c_str(), measured.releaseMs,
                    timing.expectedMs);
        EXPECT_NEAR(measured.releaseMs, timing.expectedMs, kTolerance * timing.expectedMs);
    }
}

}  // namespace
