// Measures plug-ins side by side on the same material in one process: every plug-in is
// loaded and started first, then each timed pass runs the whole material through each
// plug-in in turn (starting with a different one each round), so drifts of the machine
// spread over all of them alike.
#pragma once

#include <string>
#include <vector>

#include "tools/host/StereoStream.h"

namespace vsthost {

struct BenchSettings {
    int blockSize = 512;
    int passes = 7;         // timed passes per plug-in, after one untimed warm-up pass
    int constructions = 5;  // instances created to time construction
};

struct BenchResult {
    std::string path;
    std::string name;
    int instances = 1;
    std::vector<double> nanosecondsPerFrame;  // one per pass: thread CPU time per stereo frame
    double constructionSeconds = 0.0;         // median of making and opening all instances

    double medianNanoseconds() const;
    // Median absolute deviation of the passes from their median.
    double spreadNanoseconds() const;
};

// Throws ToolError when a plug-in cannot be loaded.
std::vector<BenchResult> runBench(const std::vector<std::string>& paths,
                                  const StereoBuffer& material, const BenchSettings& settings);

}  // namespace vsthost
