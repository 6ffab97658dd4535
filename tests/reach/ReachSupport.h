// The built plug-in, loaded as a host loads it, rendering whole signals and showing the
// meter values it publishes, for the tests that notice a control or a meter that no
// longer reaches the sound or the editor.
#pragma once

#include <optional>
#include <utility>
#include <vector>

#include "dsp/SignalPath.h"
#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/ownplugin/OwnPluginMeters.h"

namespace reach {

struct Stereo {
    std::vector<float> left, right;
    int frames() const { return static_cast<int>(left.size()); }
};

// The gain reduction a meter reading of 1 stands for.
constexpr double kMeterFullScaleDb = dsp::BlockMeters::kGainReductionRangeDb;

// Parameter index and normalised value.
using Setting = std::pair<int, float>;

class Rendering {
public:
    // A fresh instance at `rate`, with the settings applied before it is resumed.
    Rendering(float rate, const std::vector<Setting>& settings);

    // Runs the input through in blocks of `block` frames; the output.
    Stereo process(const Stereo& input, int block);
    // The meter values of the last block.
    vsthost::OwnPluginMeters::Readings meters() const { return meters_->readings(); }

private:
    vsthost::Host host_;
    vsthost::PluginInstance plugin_;
    std::optional<vsthost::OwnPluginMeters> meters_;
};

// `seconds` of constant value on both channels.
Stereo constant(float rate, double seconds, float left, float right);
// A sine of `amplitude` at `frequency` on each channel (0 amplitude for silence).
Stereo sines(float rate, double seconds, double frequency, float leftAmplitude, float rightAmplitude);

}  // namespace reach
