#include "tools/host/Vst2StereoPlugin.h"

#include <algorithm>
#include <cstdio>

#include "tools/host/Host.h"
#include "tools/host/PluginLibrary.h"
#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

std::unique_ptr<PluginInstance> createInstance(Host& host, const PluginLibrary& library) {
    auto instance = std::make_unique<PluginInstance>(host, library);
    if (!instance->ok())
        throw ToolError(library.path() + " answered null: the plug-in created no effect");
    const AEffect& record = *instance->effect();
    if (record.numOutputs < 1) throw ToolError(library.path() + " has no audio outputs");
    if (!(record.flags & effFlagsCanReplacing) || !record.processReplacing)
        throw ToolError(library.path() + " cannot process replacing (VST 2.4 audio)");
    return instance;
}

}  // namespace

Vst2StereoPlugin::Vst2StereoPlugin(const std::string& path) : library_(path) {
    if (!library_.ok()) throw ToolError("cannot load plug-in: " + library_.error());
    instances_.push_back(createInstance(host_, library_));
    if (primary().effect()->numOutputs == 1) instances_.push_back(createInstance(host_, library_));
}

Vst2StereoPlugin::~Vst2StereoPlugin() {
    if (started_)
        for (auto& instance : instances_) instance->dispatch(effMainsChanged, 0, 0);
}

std::string Vst2StereoPlugin::identifier() {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(primary().effect()->uniqueID));
    return text;
}

PluginParameter Vst2StereoPlugin::parameter(int index) {
    // VST 2.4 tells no default; the value at load time stands in for it.
    return {primary().parameterName(index), 0.0, 1.0, primary().getParameter(index)};
}

void Vst2StereoPlugin::setValue(int index, double value) {
    for (auto& instance : instances_) instance->setParameter(index, static_cast<float>(value));
}

void Vst2StereoPlugin::start(double sampleRate, int blockSize) {
    host_.setSampleRate(sampleRate);
    host_.setBlockSize(blockSize);
    silence_.assign(blockSize, 0.0f);
    mid_.assign(blockSize, 0.0f);
    int mostOutputs = 0;
    for (auto& instance : instances_) {
        mostOutputs = std::max(mostOutputs, instance->effect()->numOutputs);
        instance->start(static_cast<float>(sampleRate), blockSize);
    }
    discarded_.assign(static_cast<std::size_t>(blockSize) * mostOutputs, 0.0f);
    channels_.assign(instances_.size(), {});
    for (std::size_t i = 0; i < instances_.size(); ++i) {
        const AEffect& record = *instances_[i]->effect();
        channels_[i].inputs.assign(std::max(record.numInputs, 1), silence_.data());
        channels_[i].outputs.resize(record.numOutputs);
        for (int output = 0; output < record.numOutputs; ++output)
            channels_[i].outputs[output] = discarded_.data() + output * blockSize;
    }
    started_ = true;
}

int Vst2StereoPlugin::latencySamples() { return std::max(0, primary().effect()->initialDelay); }

int Vst2StereoPlugin::tailSamples(double sampleRate) {
    // 0 means "no figure" and 1 "no tail" in VST 2.4.
    const VstIntPtr answer = primary().dispatch(effGetTailSize);
    if (answer <= 1) return 0;
    return static_cast<int>(std::min<VstIntPtr>(answer, static_cast<VstIntPtr>(60.0 * sampleRate)));
}

void Vst2StereoPlugin::process(float* inLeft, float* inRight, float* outLeft, float* outRight,
                           int frames) {
    if (instances_.size() == 1) {
        Channels& channels = channels_.front();
        if (channels.inputs.size() > 1) {
            channels.inputs[0] = inLeft;
            channels.inputs[1] = inRight;
        } else {
            for (int i = 0; i < frames; ++i) mid_[i] = 0.5f * (inLeft[i] + inRight[i]);
            channels.inputs[0] = mid_.data();
        }
        channels.outputs[0] = outLeft;
        channels.outputs[1] = outRight;
    } else {
        channels_[0].inputs[0] = inLeft;
        channels_[0].outputs[0] = outLeft;
        channels_[1].inputs[0] = inRight;
        channels_[1].outputs[0] = outRight;
    }
    for (std::size_t i = 0; i < instances_.size(); ++i)
        instances_[i]->processReplacing(channels_[i].inputs.data(), channels_[i].outputs.data(),
                                        frames);
}

}  // namespace vsthost

namespace vsthost {

namespace {

class Vst2Editor final : public PluginEditor {
public:
    Vst2Editor(PluginInstance& plugin, int width, int height) : plugin_(plugin), width_(width), height_(height) {}
    ~Vst2Editor() override {
        if (open_) plugin_.dispatch(effEditClose);
    }
    int width() const override { return width_; }
    int height() const override { return height_; }
    bool open(uintptr_t parent) override {
        open_ = plugin_.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent)) != 0;
        return open_;
    }
    void idle(bool) override { plugin_.dispatch(effEditIdle); }
    bool key(bool down, int character, int virtualKey, int modifiers) override {
        return plugin_.dispatch(down ? effEditKeyDown : effEditKeyUp, character, virtualKey, nullptr,
                                static_cast<float>(modifiers)) != 0;
    }

private:
    PluginInstance& plugin_;
    int width_, height_;
    bool open_ = false;
};

}  // namespace

std::unique_ptr<PluginEditor> Vst2StereoPlugin::createEditor() {
    if (!(primary().effect()->flags & effFlagsHasEditor)) return nullptr;
    ERect* rect = nullptr;
    primary().dispatch(effEditGetRect, 0, 0, &rect);
    const int width = rect ? rect->right - rect->left : 0;
    const int height = rect ? rect->bottom - rect->top : 0;
    if (width <= 0 || height <= 0) return nullptr;
    return std::make_unique<Vst2Editor>(primary(), width, height);
}

}  // namespace vsthost
