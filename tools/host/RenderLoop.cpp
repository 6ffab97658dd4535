#include "tools/host/RenderLoop.h"

#include <algorithm>
#include <vector>

#include "tools/host/CpuClock.h"
#include "tools/host/StereoPlugin.h"

namespace vsthost {

RenderResult renderThroughPlugin(StereoPlugin& plugin, StereoSource& source, StereoSink& sink,
                                 const RenderSettings& settings,
                                 const std::function<void(std::int64_t)>& afterBlock) {
    RenderResult result;
    result.latencySamples = plugin.latencySamples();
    result.tailSamples = plugin.tailSamples(settings.sampleRate);

    const int block = settings.blockSize;
    std::vector<float> inLeft(block), inRight(block), outLeft(block), outRight(block);
    std::int64_t framesToDrop = settings.compensateLatency ? result.latencySamples : 0;
    std::int64_t silenceToFeed = framesToDrop + result.tailSamples;
    bool inputEnded = false;

    for (std::int64_t done = 0; done < settings.prerollFrames; done += block) {
        const int frames = static_cast<int>(std::min<std::int64_t>(block, settings.prerollFrames - done));
        std::fill_n(inLeft.begin(), frames, 0.0f);
        std::fill_n(inRight.begin(), frames, 0.0f);
        plugin.process(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), frames);
    }

    while (!inputEnded || silenceToFeed > 0) {
        int frames = 0;
        if (!inputEnded) {
            frames = source.read(inLeft.data(), inRight.data(), block);
            result.inputLevels.add(inLeft.data(), inRight.data(), frames);
            result.inputFrames += frames;
            inputEnded = frames < block;
        }
        if (inputEnded) {
            const int silence =
                static_cast<int>(std::min<std::int64_t>(block - frames, silenceToFeed));
            std::fill_n(inLeft.begin() + frames, silence, 0.0f);
            std::fill_n(inRight.begin() + frames, silence, 0.0f);
            silenceToFeed -= silence;
            frames += silence;
        }
        if (frames == 0) break;

        const double cpuBefore = threadCpuSeconds();
        plugin.process(inLeft.data(), inRight.data(), outLeft.data(), outRight.data(), frames);
        result.pluginCpuSeconds += threadCpuSeconds() - cpuBefore;

        const int dropped = static_cast<int>(std::min<std::int64_t>(framesToDrop, frames));
        framesToDrop -= dropped;
        const int kept = frames - dropped;
        sink.write(outLeft.data() + dropped, outRight.data() + dropped, kept);
        result.outputLevels.add(outLeft.data() + dropped, outRight.data() + dropped, kept);
        result.outputFrames += kept;
        afterBlock(result.inputFrames);
    }
    return result;
}

}  // namespace vsthost
