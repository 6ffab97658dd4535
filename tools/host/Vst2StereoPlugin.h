// A VST 2.4 plug-in as a stereo processor, whatever its channel layout: a plug-in with one
// output runs as two instances, one per channel (as a DAW does on a stereo track); one
// with one input and two outputs hears the mid signal; extra inputs (a side chain) get
// silence and extra outputs are discarded. It owns the library and the host side.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "tools/host/Host.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/PluginLibrary.h"
#include "tools/host/StereoPlugin.h"

namespace vsthost {

class Vst2StereoPlugin final : public StereoPlugin {
public:
    // Throws ToolError when the library does not load, the plug-in answers null or it has
    // no audio output it can render into (no outputs, or no processReplacing).
    explicit Vst2StereoPlugin(const std::string& path);
    // Suspends the instances before they are closed.
    ~Vst2StereoPlugin() override;

    std::string format() const override { return "VST 2.4"; }
    std::string effectName() override { return primary().text(effGetEffectName); }
    std::string vendor() override { return primary().text(effGetVendorString); }
    std::string identifier() override;
    int instanceCount() const override { return static_cast<int>(instances_.size()); }

    int parameterCount() override { return primary().effect()->numParams; }
    PluginParameter parameter(int index) override;
    double value(int index) override { return primary().getParameter(index); }
    // On every instance.
    void setValue(int index, double value) override;
    std::string valueText(int index) override { return primary().parameterDisplay(index); }

    void start(double sampleRate, int blockSize) override;
    int latencySamples() override;
    int tailSamples(double sampleRate) override;
    void process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) override;

    std::unique_ptr<PluginEditor> createEditor() override;
    void logRequests(std::FILE* log) override { host_.setLog(log); }

    // The instance a host asks for names, parameters and identity.
    PluginInstance& primary() { return *instances_.front(); }
    const PluginInstance& primary() const { return *instances_.front(); }

private:
    struct Channels {
        std::vector<float*> inputs;
        std::vector<float*> outputs;
    };

    PluginLibrary library_;
    Host host_;
    std::vector<std::unique_ptr<PluginInstance>> instances_;
    std::vector<Channels> channels_;  // per instance, the pointers handed over each block
    std::vector<float> silence_;
    std::vector<float> mid_;
    std::vector<float> discarded_;
    bool started_ = false;
};

}  // namespace vsthost
