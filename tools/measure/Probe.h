// A plug-in instance under measurement: made afresh with the settings asked for, started at
// a rate, warmed up, and played a mono signal on both channels; every block's output must
// be finite, or the measurement ends with the plug-in named as the reason.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/host/StereoPlugin.h"

namespace measure {

// A plug-in and its settings as the command line named them.
struct PluginChoice {
    std::string path;
    std::vector<std::string> assignments;  // NAME=VALUE, in the plug-in's own terms
    std::string label;                      // its name, and its settings where any
};

class Probe {
public:
    // Opens the plug-in, applies the settings and starts it at `rate`, then plays
    // `warmUpSeconds` of silence (a plug-in may fade in after it starts).
    Probe(const PluginChoice& choice, double rate, double warmUpSeconds = 1.5);

    double rate() const { return rate_; }
    int reportedLatency() const { return latency_; }
    vsthost::StereoPlugin& plugin() { return *plugin_; }

    // Names what is being measured, for the error a non-finite block raises and for the
    // report should the plug-in crash.
    void setStage(std::string stage);

    // Plays `input` on both channels; answers the left output. Throws ToolError naming the
    // plug-in and the stage when the output is not finite.
    std::vector<double> play(const std::vector<double>& input);
    // A sine of `amplitude` (peak) at `hertz` for `seconds`, its phase running on from the
    // previous sine's.
    std::vector<double> playSine(double amplitude, double hertz, double seconds);
    // The last sine played, as it went in.
    const std::vector<double>& lastInput() const { return lastInput_; }

private:
    std::unique_ptr<vsthost::StereoPlugin> plugin_;
    std::string label_;
    std::string stage_;
    double rate_;
    int latency_ = 0;
    long sineFrames_ = 0;
    std::vector<double> lastInput_;
};

// Makes probes of one plug-in at a rate.
using ProbeFactory = std::function<std::unique_ptr<Probe>(double rate)>;

// A sine of `amplitude` at `hertz` for `frames` frames from frame `first` on.
std::vector<double> sine(double amplitude, double hertz, double rate, long first, long frames);
// 20 log10, -inf for 0.
double decibels(double ratio);
// The level in dBFS of a stretch of signal as AES17 counts it: a full-scale sine is 0.
double sineDbfs(const std::vector<double>& signal, std::size_t first = 0, std::size_t count = SIZE_MAX);

}  // namespace measure
