#include "tools/host/PluginInstance.h"

#include <cstring>
#include <vector>

#include "tools/host/Host.h"
#include "tools/host/PluginLibrary.h"

namespace vsthost {

namespace {
constexpr std::size_t kTextBufferSize = 512;  // far beyond any capacity a plug-in may use
}

PluginInstance::PluginInstance(Host& host, const PluginLibrary& library)
    : host_(host), effect_(host.createEffect(library)) {
    if (effect_) dispatch(effOpen);
}

PluginInstance::~PluginInstance() { close(); }

VstIntPtr PluginInstance::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                                   float opt) {
    if (!effect_) return 0;
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string PluginInstance::text(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    std::vector<char> buffer(kTextBufferSize, '\0');
    dispatch(opcode, index, value, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

VstInt32 PluginInstance::canDo(const char* capability) {
    std::vector<char> copy(capability, capability + std::strlen(capability) + 1);
    return static_cast<VstInt32>(dispatch(effCanDo, 0, 0, copy.data()));
}

void PluginInstance::setParameter(VstInt32 index, float value) {
    if (effect_) effect_->setParameter(effect_, index, value);
}

float PluginInstance::getParameter(VstInt32 index) {
    return effect_ ? effect_->getParameter(effect_, index) : 0.0f;
}

void PluginInstance::start(float sampleRate, VstInt32 blockSize) {
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
}

void PluginInstance::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    if (!effect_) return;
    if (effect_->flags & effFlagsCanReplacing)
        effect_->processReplacing(effect_, inputs, outputs, frames);
}

void PluginInstance::close() {
    if (!effect_) return;
    AEffect* closing = effect_;
    effect_ = nullptr;
    closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f);
    host_.forget(closing);
}

}  // namespace vsthost
