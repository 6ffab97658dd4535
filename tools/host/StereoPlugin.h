// A loaded plug-in as a stereo processor, whatever its channel layout: a plug-in with one
// output runs as two instances, one per channel (as a DAW does on a stereo track); one
// with one input and two outputs hears the mid signal; extra inputs (a side chain) get
// silence and extra outputs are discarded.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/host/PluginInstance.h"

namespace vsthost {

class Host;
class PluginLibrary;

class StereoPlugin {
public:
    // Throws ToolError when the plug-in answers null or has no audio output it can
    // render into (no outputs, or no processReplacing).
    StereoPlugin(Host& host, const PluginLibrary& library);
    // Suspends the instances before they are closed.
    ~StereoPlugin();
    StereoPlugin(const StereoPlugin&) = delete;
    StereoPlugin& operator=(const StereoPlugin&) = delete;

    int instanceCount() const { return static_cast<int>(instances_.size()); }
    // The instance a host asks for names, parameters and identity.
    PluginInstance& primary() { return *instances_.front(); }

    std::string effectName();
    // Sets the parameter on every instance.
    void setParameter(VstInt32 index, float value);

    // Sample rate, block size and resume; blocks processed afterwards hold at most
    // `blockSize` frames.
    void start(float sampleRate, VstInt32 blockSize);
    // The latency the record reports (read after start, when plug-ins settle it).
    int latencySamples();
    // Extra frames after the end of the input that the plug-in asks for (0 when it
    // gives no figure), at most a minute at `sampleRate`.
    int tailSamples(double sampleRate);

    // Inputs and outputs must not overlap.
    void process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames);

private:
    struct Channels {
        std::vector<float*> inputs;
        std::vector<float*> outputs;
    };

    std::vector<std::unique_ptr<PluginInstance>> instances_;
    std::vector<Channels> channels_;  // per instance, the pointers handed over each block
    std::vector<float> silence_;
    std::vector<float> mid_;
    std::vector<float> discarded_;
    bool started_ = false;
};

}  // namespace vsthost
