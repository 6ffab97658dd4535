#include "tools/measure/Probe.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/host/ParameterAssignment.h"
#include "tools/host/ToolError.h"
#include "tools/measure/Isolated.h"

namespace measure {

namespace {

constexpr int kBlock = 512;

}  // namespace

Probe::Probe(const PluginChoice& choice, double rate, double warmUpSeconds)
    : plugin_(vsthost::openStereoPlugin(choice.path)), label_(choice.label), rate_(rate) {
    const std::vector<vsthost::PluginParameter> parameters = vsthost::pluginParameters(*plugin_);
    for (const std::string& assignment : choice.assignments) {
        const vsthost::ParameterAssignment parameter = vsthost::resolveParameterAssignment(assignment, parameters);
        plugin_->setValue(parameter.index, parameter.value);
    }
    plugin_->start(rate, kBlock);
    latency_ = plugin_->latencySamples();
    setStage("warming up");
    play(std::vector<double>(static_cast<std::size_t>(warmUpSeconds * rate), 0.0));
}

void Probe::setStage(std::string stage) {
    stage_ = std::move(stage);
    reportDoing(label_ + " while measuring " + stage_);
}

std::vector<double> Probe::play(const std::vector<double>& input) {
    std::vector<float> in(kBlock), left(kBlock), right(kBlock);
    std::vector<double> output;
    output.reserve(input.size());
    for (std::size_t done = 0; done < input.size(); done += kBlock) {
        const int count = static_cast<int>(std::min<std::size_t>(kBlock, input.size() - done));
        for (int i = 0; i < count; ++i) in[i] = static_cast<float>(input[done + i]);
        plugin_->process(in.data(), in.data(), left.data(), right.data(), count);
        for (int i = 0; i < count; ++i) {
            if (!std::isfinite(left[i]) || !std::isfinite(right[i]))
                throw vsthost::ToolError(label_ + " gave non-finite samples while measuring " + stage_);
            output.push_back(left[i]);
        }
    }
    return output;
}

std::vector<double> Probe::playSine(double amplitude, double hertz, double seconds) {
    const long frames = std::lround(seconds * rate_);
    lastInput_ = sine(amplitude, hertz, rate_, sineFrames_, frames);
    sineFrames_ += frames;
    return play(lastInput_);
}

std::vector<double> sine(double amplitude, double hertz, double rate, long first, long frames) {
    std::vector<double> signal(static_cast<std::size_t>(std::max(frames, 0L)));
    const double cyclesPerSample = hertz / rate;
    for (long i = 0; i < frames; ++i) {
        // The fractional cycle keeps the phase exact over long signals.
        const double cycle = std::fmod(cyclesPerSample * static_cast<double>(first + i), 1.0);
        signal[static_cast<std::size_t>(i)] = amplitude * std::sin(2.0 * std::numbers::pi * cycle);
    }
    return signal;
}

double decibels(double ratio) { return ratio > 0.0 ? 20.0 * std::log10(ratio) : -INFINITY; }

double sineDbfs(const std::vector<double>& signal, std::size_t first, std::size_t count) {
    const std::size_t end = std::min(signal.size(), count == SIZE_MAX ? signal.size() : first + count);
    if (end <= first) return -INFINITY;
    double sum = 0.0;
    for (std::size_t i = first; i < end; ++i) sum += signal[i] * signal[i];
    return decibels(std::sqrt(2.0 * sum / static_cast<double>(end - first)));
}

}  // namespace measure
