// One instance of the CLAP plug-in under test, driven as a host drives it, every block
// checked against the rules of the buffers (see AudioBuffers) and every request it makes
// of the host against the threads the interface allows.
#pragma once

#include <memory>
#include <string>

#include "tools/host/ClapInstance.h"
#include "tools/validator/AllocationCounter.h"
#include "tools/validator/AudioBuffers.h"
#include "tools/validator/Check.h"
#include "tools/validator/Signals.h"

namespace validator {

class TestedClapPlugin {
public:
    // The first plug-in of the check's file; fails the check when it cannot be made.
    explicit TestedClapPlugin(CheckContext& context);

    vsthost::ClapInstance& instance() { return *instance_; }
    const clap_plugin_t* plugin() const { return instance_->plugin(); }
    int inputs() const { return static_cast<int>(instance_->mainChannels(true)); }
    int outputs() const { return static_cast<int>(instance_->mainChannels(false)); }
    AudioBuffers makeBuffers(int capacity) const { return AudioBuffers(inputs(), outputs(), capacity); }

    // Activation and processing as a host starts them; fails the check when refused.
    void start(double sampleRate, int largestBlock);

    // One block through process with the queued events. Fails the check, naming
    // `situation`, when the plug-in answers an error or broke a rule of the buffers; answers
    // the output's scan otherwise. Given `allocations`, counts those made inside the call.
    OutputScan process(AudioBuffers& buffers, int frames, const std::string& situation,
                       AllocationCount* allocations = nullptr);
    void processSane(AudioBuffers& buffers, int frames, const std::string& situation);

    // Fails the check when the plug-in asked the host for anything on a thread where the
    // interface forbids it.
    void requireThreadRules();

private:
    std::unique_ptr<vsthost::ClapInstance> instance_;
};

// The parameters' infos; fails the check when the plug-in has no params extension.
std::vector<clap_param_info_t> requireParameters(TestedClapPlugin& plugin);

}  // namespace validator
