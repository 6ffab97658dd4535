// `tone` and the harmonic analysis beneath it.
#include <gtest/gtest.h>

#include <numbers>
#include <cmath>
#include <regex>
#include <string>

#include "tests/host/HostProcess.h"
#include "tools/analysis/HarmonicAnalysis.h"

namespace {

double numberAfter(const std::string& text, const std::string& label) {
    const std::regex pattern(label + R"(\s+(-?[0-9]+\.[0-9]+))");
    std::smatch match;
    if (!std::regex_search(text, match, pattern)) return NAN;
    return std::stod(match[1]);
}

TEST(HarmonicAnalysis, FindsKnownHarmonicsOffTheSampleGrid) {
    // 441 samples hold exactly ten periods of 1 kHz at 44.1 kHz, whose period is no whole
    // number of samples.
    const double cycles = 1000.0 / 44100.0;
    std::vector<double> signal;
    for (int i = 0; i < 4410; ++i) {
        const double phase = 2.0 * std::numbers::pi * cycles * i;
        signal.push_back(0.5 * std::sin(phase) + 0.05 * std::cos(2.0 * phase + 1.0) +
                         0.01 * std::sin(3.0 * phase) + 0.2);
    }
    const std::vector<double> amplitudes = analysis::harmonicAmplitudes(signal, cycles, 5);
    EXPECT_NEAR(amplitudes[1], 0.5, 1e-9);
    EXPECT_NEAR(amplitudes[2], 0.05, 1e-9);
    EXPECT_NEAR(amplitudes[3], 0.01, 1e-9);
    EXPECT_NEAR(amplitudes[4], 0.0, 1e-9) << "the DC offset is no harmonic";
    EXPECT_NEAR(analysis::totalHarmonicDistortion(amplitudes), std::hypot(0.05, 0.01) / 0.5, 1e-9);
    EXPECT_EQ(analysis::totalHarmonicDistortion({0.0, 0.0, 0.1}), 0.0);
}

TEST(Tone, ALinearPluginKeepsTheToneClean) {
    // The mono-delay test plug-in only scales: at Level 1 the tone comes back as it went in.
    const HostRun run = runHost({"tone", "--plugin", MONO_DELAY_PLUGIN_PATH, "--param", "level=1",
                                 "--level", "-12", "--freq", "997", "--rate", "48000"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NEAR(numberAfter(run.out, "fundamental"), -12.0, 0.001) << run.out;
    EXPECT_NEAR(numberAfter(run.out, "THD"), 0.0, 0.001) << run.out;
}

TEST(Tone, MarvolenzikColoursGentlyAtItsDefaults) {
    const HostRun run = runHost({"tone"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const double fundamental = numberAfter(run.out, "fundamental");
    const double thd = numberAfter(run.out, "THD");
    EXPECT_GT(fundamental, -30.0) << run.out;
    EXPECT_LT(fundamental, -10.0) << run.out;
    EXPECT_GT(thd, 0.0) << run.out;
    EXPECT_LT(thd, 1.0) << run.out;
}

TEST(Tone, RefusesAFrequencyWhoseHarmonicsPassNyquist) {
    const HostRun run = runHost({"tone", "--freq", "5000", "--rate", "44100"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("freq"), std::string::npos) << run.err;
}

}  // namespace
