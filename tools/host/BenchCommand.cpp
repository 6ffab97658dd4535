// `bench PLUGIN.so...`: CPU cost of plug-ins on the same material, side by side.
#include <cstdio>
#include <filesystem>
#include <string>

#include "tools/host/BenchRun.h"
#include "tools/host/CommandLine.h"
#include "tools/host/Commands.h"
#include "tools/host/DemoLoop.h"
#include "tools/host/ToolError.h"
#include "tools/ownplugin/OwnPlugin.h"

namespace vsthost {

namespace {

void printTable(const std::vector<BenchResult>& results, double sampleRate) {
    std::printf(
        "| Plug-in | Instances | ns per stereo sample (median) | Spread (MAD) | "
        "Real-time factor | Construction | Ratio to first |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    const double first = results.front().medianNanoseconds();
    for (const BenchResult& result : results) {
        const double median = result.medianNanoseconds();
        const double spread = result.spreadNanoseconds();
        const std::string file = std::filesystem::path(result.path).filename().string();
        std::printf("| %s (%s) | %d | %.1f | ±%.2f (%.1f %%) | %.0fx | %.2f ms | %.2f |\n",
                    result.name.c_str(), file.c_str(), result.instances, median, spread,
                    median > 0.0 ? 100.0 * spread / median : 0.0, 1e9 / (median * sampleRate),
                    result.constructionSeconds * 1e3, first > 0.0 ? median / first : 0.0);
    }
}

}  // namespace

int runBench(const Arguments& arguments) {
    const ParsedArguments parsed(
        arguments, {{"seconds", true}, {"passes", true}, {"block", true}, {"rate", true}});
    BenchSettings settings;
    settings.passes = static_cast<int>(integerOption(parsed, "passes", 7, 1, 1000));
    settings.blockSize = static_cast<int>(integerOption(parsed, "block", 512, 1, 65536));
    const double seconds = numberOption(parsed, "seconds", 30.0, 0.1, 3600.0);
    const double rate = static_cast<double>(integerOption(parsed, "rate", 48000, 1000, 1000000));
    std::vector<std::string> paths = parsed.positionals();
    if (paths.empty()) paths.push_back(defaultPluginPath());

    const StereoBuffer material = synthesiseDemoLoop(rate, seconds);
    const std::vector<BenchResult> results = runBench(paths, material, settings);
    std::printf(
        "Material: demo loop, %.1f s stereo at %.0f Hz, blocks of %d; %d timed passes per "
        "plug-in, interleaved; thread CPU time\n\n",
        seconds, rate, settings.blockSize, settings.passes);
    printTable(results, rate);
    return 0;
}

}  // namespace vsthost
