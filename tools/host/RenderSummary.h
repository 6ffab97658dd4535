// What `render` prints at the end: levels in and out, latency, CPU time and real-time
// factor, as text for people or as JSON for scripts.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/RenderLoop.h"

namespace vsthost {

struct ParameterState {
    int index;
    std::string name;
    double value;  // in the plug-in's own terms
    std::string display;
    bool setByUser;  // from --preset or --param
};

struct RenderSummary {
    std::string inputPath;  // empty for the demo loop
    std::string inputFormat;
    int inputChannels = 2;
    std::string outputPath;
    std::string outputFormat;
    double sampleRate = 0.0;
    std::string pluginPath;
    std::string pluginName;
    int pluginInstances = 1;
    int blockSize = 0;
    bool latencyCompensated = true;
    double prerollSeconds = 0.0;
    std::vector<ParameterState> parameters;
    // What the plug-in reports of its gain reduction, where it can (see StereoPlugin).
    std::optional<double> maxGainReductionDb;
    RenderResult result;

    double audioSeconds() const;
    // Audio seconds per CPU second spent in the plug-in.
    double realTimeFactor() const;
};

void printSummaryText(std::FILE* out, const RenderSummary& summary);
void printSummaryJson(std::FILE* out, const RenderSummary& summary);

}  // namespace vsthost
