#include "tests/reach/ReachSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "tools/host/PluginLibrary.h"

namespace reach {

namespace {

const vsthost::PluginLibrary& marvolenzik() {
    static const vsthost::PluginLibrary library(MARVOLENZIK_PLUGIN_PATH);
    return library;
}

}  // namespace

Rendering::Rendering(float rate, const std::vector<Setting>& settings) : plugin_(host_, marvolenzik()) {
    if (!plugin_.ok()) throw std::runtime_error("Marvolenzik.so created no effect: " + marvolenzik().error());
    meters_ = vsthost::OwnPluginMeters::of(plugin_);
    if (!meters_) throw std::runtime_error("the loaded plug-in is not Marvolenzik");
    for (const auto& [index, value] : settings) plugin_.setParameter(index, value);
    plugin_.start(rate, 8192);
}

Stereo Rendering::process(const Stereo& input, int block) {
    Stereo output{std::vector<float>(input.left.size()), std::vector<float>(input.right.size())};
    for (int start = 0; start < input.frames(); start += block) {
        const int frames = std::min(block, input.frames() - start);
        float* inputs[] = {const_cast<float*>(input.left.data()) + start, const_cast<float*>(input.right.data()) + start};
        float* outputs[] = {output.left.data() + start, output.right.data() + start};
        plugin_.processReplacing(inputs, outputs, frames);
    }
    return output;
}

Stereo constant(float rate, double seconds, float left, float right) {
    const auto frames = static_cast<std::size_t>(seconds * rate);
    return {std::vector<float>(frames, left), std::vector<float>(frames, right)};
}

Stereo sines(float rate, double seconds, double frequency, float leftAmplitude, float rightAmplitude) {
    Stereo signal = constant(rate, seconds, 0.0f, 0.0f);
    for (int i = 0; i < signal.frames(); ++i) {
        const double phase = 2.0 * std::numbers::pi * frequency * i / rate;
        signal.left[i] = leftAmplitude * static_cast<float>(std::sin(phase));
        signal.right[i] = rightAmplitude * static_cast<float>(std::sin(phase));
    }
    return signal;
}

}  // namespace reach
