// An LV2 plug-in as a stereo processor, loaded through lilv: a bundle's first plug-in (or
// one named by its URI among the installed ones), its first two audio inputs and outputs
// fed stereo (a mono input hears the mid signal, a mono output goes to both channels),
// control inputs in each port's own range, atom ports given empty sequences, the host's
// usual features (urid:map, options with the block sizes). Its X11 UI, where it has one,
// is embedded as hosts do it: ui:parent, ui:idleInterface, ui:touch, port events.
#pragma once

#include <lilv/lilv.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "tools/host/StereoPlugin.h"

namespace vsthost {

// What an LV2 UI did through the host: a port written, or touched (a gesture's start and end).
struct Lv2UiEvent {
    enum class Kind { write, grab, release } kind;
    uint32_t port;
    float value;
};

class Lv2StereoPlugin final : public StereoPlugin {
public:
    // `location` is a bundle folder (its first plug-in) or "lv2:URI" of an installed plug-in.
    // Throws ToolError when none is found or it has no audio output.
    explicit Lv2StereoPlugin(const std::string& location);
    ~Lv2StereoPlugin() override;

    std::string format() const override { return "LV2"; }
    std::string effectName() override;
    std::string vendor() override;
    std::string identifier() override;

    // The control inputs, in port order.
    int parameterCount() override { return static_cast<int>(controls_.size()); }
    PluginParameter parameter(int index) override;
    double value(int index) override;
    // Before start, or from any thread while processing: the next block takes it.
    void setValue(int index, double value) override;
    std::string valueText(int index) override;

    void start(double sampleRate, int blockSize) override;
    int latencySamples() override;
    int tailSamples(double) override { return 0; }
    // Blocks longer than start's are run in parts.
    void process(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames) override;

    std::unique_ptr<PluginEditor> createEditor() override;

    // The value a control output (a meter) had after the last block, by its symbol.
    std::optional<float> outputValue(const std::string& symbol) const;
    // What the UI did since the last call.
    std::vector<Lv2UiEvent> takeUiEvents();

    // The UI's side, for the editor.
    void uiWrite(uint32_t port, float value);
    void uiTouch(uint32_t port, bool grabbed);
    const LilvPlugin* plugin() const { return plugin_; }
    LilvWorld* world() const { return world_; }
    // What a UI is instantiated with, embedded in `parent`; `resize` is told the size it asks for.
    const LV2_Feature* const* uiFeatures(void* parent, LV2UI_Resize* resize);
    // Each control port's value (inputs as set, outputs after the last block).
    float portValue(uint32_t port) const;
    uint32_t portCount() const { return static_cast<uint32_t>(ports_.size()); }
    bool isControl(uint32_t port) const;

private:
    struct Port;
    struct Features;
    void runBlock(float* inLeft, float* inRight, float* outLeft, float* outRight, int frames);

    LilvWorld* world_ = nullptr;
    const LilvPlugin* plugin_ = nullptr;
    LilvInstance* instance_ = nullptr;
    std::vector<std::unique_ptr<Port>> ports_;
    std::vector<uint32_t> controls_;  // the control inputs' port indices
    std::vector<uint32_t> audioInputs_, audioOutputs_;
    std::unique_ptr<Features> features_;
    std::vector<float> silence_, mid_, discarded_;
    int blockSize_ = 1;
    LV2_URID sequenceType_ = 0, chunkType_ = 0;
    std::mutex uiEventsMutex_;
    std::vector<Lv2UiEvent> uiEvents_;
};

}  // namespace vsthost
