// Streams a source through a started plug-in into a sink in host-sized blocks, as a DAW
// renders a track: with latency compensation the first `initialDelay` output frames are
// dropped and as many frames of silence are fed after the input, so the output lines up
// with the input sample for sample; the tail the plug-in asks for is rendered after it.
#pragma once

#include <cstdint>
#include <functional>

#include "tools/host/SignalLevels.h"
#include "tools/host/StereoStream.h"

namespace vsthost {

class StereoPlugin;

struct RenderSettings {
    int blockSize = 512;  // at most the block size the plug-in was started with
    bool compensateLatency = true;
    double sampleRate = 48000.0;
    // Silence fed (and its output dropped) before the input, so that a plug-in which
    // warms up after it is created, as an instance in a session long open would be,
    // meets the material warm. Not counted in levels or CPU time.
    std::int64_t prerollFrames = 0;
};

struct RenderResult {
    std::int64_t inputFrames = 0;
    std::int64_t outputFrames = 0;  // inputFrames plus the tail
    int latencySamples = 0;         // as reported, compensated or not
    int tailSamples = 0;
    SignalLevels inputLevels;
    SignalLevels outputLevels;
    double pluginCpuSeconds = 0.0;  // inside processReplacing only
};

// `afterBlock` receives the input frames read so far after each block of the input and
// its tail; it may throw to stop the render.
RenderResult renderThroughPlugin(StereoPlugin& plugin, StereoSource& source, StereoSink& sink,
                                 const RenderSettings& settings,
                                 const std::function<void(std::int64_t)>& afterBlock);

}  // namespace vsthost
