// One instance of the LV2 plug-in under test, loaded through lilv from the check's
// bundle, its first two audio inputs and outputs fed as stereo, every block checked
// against the rules of the buffers (see AudioBuffers).
#pragma once

#include <memory>
#include <string>

#include "tools/host/Lv2StereoPlugin.h"
#include "tools/validator/AllocationCounter.h"
#include "tools/validator/AudioBuffers.h"
#include "tools/validator/Check.h"
#include "tools/validator/Signals.h"

namespace validator {

class TestedLv2Plugin {
public:
    // Fails the check when the bundle holds no plug-in lilv can read.
    explicit TestedLv2Plugin(CheckContext& context);

    vsthost::Lv2StereoPlugin& plugin() { return *plugin_; }
    AudioBuffers makeBuffers(int capacity) const { return AudioBuffers(2, 2, capacity); }

    // Instantiation, connection and activation; fails the check when refused.
    void start(double sampleRate, int largestBlock);

    // One run of `frames`; fails the check, naming `situation`, when the plug-in broke a
    // rule of the buffers. Given `allocations`, counts those made inside the call.
    OutputScan process(AudioBuffers& buffers, int frames, const std::string& situation,
                       AllocationCount* allocations = nullptr);
    void processSane(AudioBuffers& buffers, int frames, const std::string& situation);

private:
    std::unique_ptr<vsthost::Lv2StereoPlugin> plugin_;
};

}  // namespace validator
