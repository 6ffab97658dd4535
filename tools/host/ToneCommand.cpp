// `tone`: a sine through a plug-in, after its warm-up, and what comes out: the level of
// the fundamental and the harmonic distortion, the plug-in's character in two numbers.
#include <numbers>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/analysis/HarmonicAnalysis.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/ParameterAssignment.h"
#include "tools/host/StereoPlugin.h"
#include "tools/host/ToolError.h"
#include "tools/ownplugin/OwnPlugin.h"

namespace vsthost {

namespace {

constexpr int kBlockSize = 512;
constexpr int kHighestHarmonic = 10;
constexpr double kPrerollSeconds = 1.5;  // the tube stage's warm-up, as `render` does
constexpr double kSettleSeconds = 1.0;   // detector and level smoothing find the tone

double dbOf(double amplitude) { return amplitude > 0.0 ? 20.0 * std::log10(amplitude) : -INFINITY; }

// Runs `frames` frames of the tone (or silence) through the plug-in; keeps the left output.
std::vector<double> play(StereoPlugin& plugin, long frames, long firstFrame, double amplitude,
                         double cyclesPerSample) {
    std::vector<float> in(kBlockSize), outLeft(kBlockSize), outRight(kBlockSize);
    std::vector<double> left;
    left.reserve(frames);
    for (long done = 0; done < frames; done += kBlockSize) {
        const int count = static_cast<int>(std::min<long>(kBlockSize, frames - done));
        for (int i = 0; i < count; ++i) {
            const double cycle = std::fmod(cyclesPerSample * static_cast<double>(firstFrame + done + i), 1.0);
            in[i] = static_cast<float>(amplitude * std::sin(2.0 * std::numbers::pi * cycle));
        }
        plugin.process(in.data(), in.data(), outLeft.data(), outRight.data(), count);
        left.insert(left.end(), outLeft.begin(), outLeft.begin() + count);
    }
    return left;
}

}  // namespace

int runTone(const Arguments& arguments) {
    const ParsedArguments parsed(
        arguments, {{"freq", true}, {"level", true}, {"rate", true}, {"param", true}, {"plugin", true}});
    // Whole hertz over a one-second window put every harmonic on an analysis bin.
    const long rate = integerOption(parsed, "rate", 44100, 8000, 384000);
    const long frequency = integerOption(parsed, "freq", 1000, 10, rate / 2 / kHighestHarmonic);
    const double levelDbfs = numberOption(parsed, "level", -20.0, -120.0, 0.0);
    const std::string pluginPath = parsed.value("plugin").value_or(defaultPluginPath());
    if (!parsed.positionals().empty()) throw UsageError("tone takes options only");

    const std::unique_ptr<StereoPlugin> loaded = openStereoPlugin(pluginPath);
    StereoPlugin& plugin = *loaded;
    const std::vector<PluginParameter> parameters = pluginParameters(plugin);
    for (const std::string& assignment : parsed.values("param")) {
        const ParameterAssignment parameter = resolveParameterAssignment(assignment, parameters);
        plugin.setValue(parameter.index, parameter.value);
    }
    plugin.start(static_cast<double>(rate), kBlockSize);

    const double amplitude = std::pow(10.0, levelDbfs / 20.0);
    const double cyclesPerSample = static_cast<double>(frequency) / static_cast<double>(rate);
    play(plugin, static_cast<long>(kPrerollSeconds * rate), 0, 0.0, cyclesPerSample);
    const long settle = static_cast<long>(kSettleSeconds * rate);
    play(plugin, settle, 0, amplitude, cyclesPerSample);
    const std::vector<double> output = play(plugin, rate, settle, amplitude, cyclesPerSample);

    const std::vector<double> harmonics =
        analysis::harmonicAmplitudes(output, cyclesPerSample, kHighestHarmonic);
    double sumOfSquares = 0.0;
    for (double sample : output) sumOfSquares += sample * sample;
    const double rms = std::sqrt(sumOfSquares / static_cast<double>(output.size()));

    std::printf("Plug-in        %s (%s)\n", plugin.effectName().c_str(), pluginPath.c_str());
    std::printf("Tone           %ld Hz sine at %.1f dBFS peak, %ld Hz, both channels\n", frequency,
                levelDbfs, rate);
    std::printf("Output         fundamental %.2f dBFS peak (%+.2f dB), %.2f dBFS RMS overall\n",
                dbOf(harmonics[1]), dbOf(harmonics[1]) - levelDbfs, dbOf(rms));
    std::printf("THD            %.3f %% (harmonics 2 to %d)\n",
                100.0 * analysis::totalHarmonicDistortion(harmonics), kHighestHarmonic);
    std::printf("Harmonics      ");
    for (int h = 2; h <= 5; ++h)
        std::printf("H%d %.1f dB%s", h, dbOf(harmonics[h]) - dbOf(harmonics[1]), h < 5 ? ", " : "");
    std::printf(" (relative to the fundamental)\n");
    return 0;
}

}  // namespace vsthost
