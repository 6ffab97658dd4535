#include "tools/host/BenchRun.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <memory>

#include "tools/host/CpuClock.h"
#include "tools/host/Median.h"
#include "tools/host/StereoPlugin.h"

namespace vsthost {

namespace {

struct Contender {
    std::unique_ptr<StereoPlugin> plugin;
    BenchResult result;
};

// Wall-clock time: construction may wait on the file system, which CPU time would hide.
// The contender keeps the library open, so that only the instance is timed.
double timeConstruction(const std::string& path, int constructions) {
    std::vector<double> seconds;
    for (int i = 0; i < constructions; ++i) {
        const auto before = std::chrono::steady_clock::now();
        const auto plugin = openStereoPlugin(path);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count());
    }
    return medianOf(seconds);
}

// Each block is copied into scratch inputs first, so that no plug-in can alter the
// material the others get; the copy costs every plug-in the same.
double timePass(StereoPlugin& plugin, const StereoBuffer& material, int blockSize) {
    std::vector<float> inLeft(blockSize), inRight(blockSize), outLeft(blockSize),
        outRight(blockSize);
    const double before = threadCpuSeconds();
    for (std::int64_t position = 0; position < material.frames(); position += blockSize) {
        const int frames =
            static_cast<int>(std::min<std::int64_t>(blockSize, material.frames() - position));
        std::copy_n(material.left.begin() + position, frames, inLeft.begin());
        std::copy_n(material.right.begin() + position, frames, inRight.begin());
        plugin.process(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), frames);
    }
    return (threadCpuSeconds() - before) * 1e9 / static_cast<double>(material.frames());
}

}  // namespace

double BenchResult::medianNanoseconds() const { return medianOf(nanosecondsPerFrame); }

double BenchResult::spreadNanoseconds() const {
    const double median = medianNanoseconds();
    std::vector<double> deviations;
    for (double value : nanosecondsPerFrame) deviations.push_back(std::abs(value - median));
    return medianOf(deviations);
}

std::vector<BenchResult> runBench(const std::vector<std::string>& paths,
                                  const StereoBuffer& material, const BenchSettings& settings) {
    std::vector<Contender> contenders;
    for (const std::string& path : paths) {
        Contender contender;
        contender.plugin = openStereoPlugin(path);
        contender.result.path = path;
        contender.result.constructionSeconds = timeConstruction(path, settings.constructions);
        contender.result.name = contender.plugin->effectName();
        contender.result.instances = contender.plugin->instanceCount();
        contender.plugin->start(material.sampleRate, settings.blockSize);
        timePass(*contender.plugin, material, settings.blockSize);  // warm caches and state
        contenders.push_back(std::move(contender));
    }
    for (int pass = 0; pass < settings.passes; ++pass) {
        for (std::size_t turn = 0; turn < contenders.size(); ++turn) {
            Contender& contender = contenders[(pass + turn) % contenders.size()];
            contender.result.nanosecondsPerFrame.push_back(
                timePass(*contender.plugin, material, settings.blockSize));
        }
    }
    std::vector<BenchResult> results;
    for (Contender& contender : contenders) results.push_back(std::move(contender.result));
    return results;
}

}  // namespace vsthost
