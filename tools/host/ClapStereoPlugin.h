// A CLAP plug-in as a stereo processor: the first plug-in of the file, its main ports fed
// stereo (or the mid signal to a mono input; a mono output goes to both channels), values
// in each parameter's own range, the editor embedded through the gui extension.
#pragma once

#include <string>
#include <vector>

#include "tools/host/ClapInstance.h"
#include "tools/host/ClapLibrary.h"
#include "tools/host/StereoPlugin.h"

namespace vsthost {

class ClapStereoPlugin final : public StereoPlugin {
public:
    // Throws ToolError when the file offers no plug-in or it has no audio output.
    explicit ClapStereoPlugin(const std::string& path);
    ~ClapStereoPlugin() override;

    std::string format() const override { return "CLAP"; }
    std::string effectName() override { return instance_.descriptor().name; }
    std::string vendor() override { return instance_.descriptor().vendor ? instance_.descriptor().vendor : ""; }
    std::string identifier() override { return instance_.descriptor().id; }

    int parameterCount() override { return static_cast<int>(parameters_.size()); }
    PluginParameter parameter(int index) override;
    double value(int index) override;
    void setValue(int index, double value) override;
    std::string valueText(int index) override;

    void start(double sampleRate, int blockSize) override;
    int latencySamples() override;
    int tailSamples(double sampleRate) override;
    void process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) override;
    std::optional<double> gainReductionDb() override;

    std::unique_ptr<PluginEditor> createEditor() override;

    ClapInstance& instance() { return instance_; }

private:
    ClapLibrary library_;
    ClapInstance instance_;
    std::vector<clap_param_info_t> parameters_;
    std::vector<float> silence_, mid_, discarded_;
    std::vector<const float*> inputPointers_;
    std::vector<float*> outputPointers_;
};

}  // namespace vsthost
