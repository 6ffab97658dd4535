#include "tools/host/StereoPlugin.h"

#include <algorithm>

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

StereoPlugin::StereoPlugin(Host& host, const PluginLibrary& library) {
    if (!library.ok()) throw ToolError("cannot load plug-in: " + library.error());
    instances_.push_back(createInstance(host, library));
    if (primary().effect()->numOutputs == 1) instances_.push_back(createInstance(host, library));
}

StereoPlugin::~StereoPlugin() {
    if (started_)
        for (auto& instance : instances_) instance->dispatch(effMainsChanged, 0, 0);
}

std::string StereoPlugin::effectName() { return primary().text(effGetEffectName); }

void StereoPlugin::setParameter(VstInt32 index, float value) {
    for (auto& instance : instances_) instance->setParameter(index, value);
}

void StereoPlugin::start(float sampleRate, VstInt32 blockSize) {
    silence_.assign(blockSize, 0.0f);
    mid_.assign(blockSize, 0.0f);
    int mostOutputs = 0;
    for (auto& instance : instances_) {
        mostOutputs = std::max(mostOutputs, instance->effect()->numOutputs);
        instance->start(sampleRate, blockSize);
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

int StereoPlugin::latencySamples() { return std::max(0, primary().effect()->initialDelay); }

int StereoPlugin::tailSamples(double sampleRate) {
    // 0 means "no figure" and 1 "no tail" in VST 2.4.
    const VstIntPtr answer = primary().dispatch(effGetTailSize);
    if (answer <= 1) return 0;
    return static_cast<int>(std::min<VstIntPtr>(answer, static_cast<VstIntPtr>(60.0 * sampleRate)));
}

void StereoPlugin::process(float* inLeft, float* inRight, float* outLeft, float* outRight,
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
