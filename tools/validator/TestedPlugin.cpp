#include "tools/validator/TestedPlugin.h"

#include <vector>

#include "tools/validator/Breadcrumb.h"
#include "tools/validator/CheckedBlock.h"
#include "tools/validator/OpcodeNames.h"
#include "tools/validator/Verdict.h"

namespace validator {

namespace {
constexpr std::size_t kTextCapacity = 1024;
}

TestedPlugin::TestedPlugin(CheckContext& context, Opening opening)
    : host_(context.host()), effect_(host_.createEffect(context.library())) {
    if (!effect_) fail("the plug-in's entry answered no effect");
    if (opening == Opening::Open) dispatch(effOpen);
}

TestedPlugin::~TestedPlugin() { close(); }

VstIntPtr TestedPlugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) {
    noteStep("%s, index %d, value %lld, opt %g", opcodeText(opcode).c_str(), index,
             static_cast<long long>(value), static_cast<double>(opt));
    return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
}

std::string TestedPlugin::text(VstInt32 opcode, VstInt32 index) {
    std::vector<char> buffer(kTextCapacity, '\0');
    dispatch(opcode, index, 0, buffer.data());
    buffer.back() = '\0';
    return buffer.data();
}

void TestedPlugin::start(float sampleRate, int largestBlock) {
    if (resumed_) suspend();
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, largestBlock);
    resume();
}

void TestedPlugin::suspend() {
    dispatch(effMainsChanged, 0, 0);
    resumed_ = false;
}

void TestedPlugin::resume() {
    dispatch(effMainsChanged, 0, 1);
    resumed_ = true;
}

OutputScan TestedPlugin::process(AudioBuffers& buffers, int frames, const std::string& situation,
                                 AllocationCount* allocations) {
    noteStep("processReplacing, %d frames (%s)", frames, situation.c_str());
    return runCheckedBlock(buffers, frames, situation, allocations, [&] {
        effect_->processReplacing(effect_, buffers.inputPointers(), buffers.outputPointers(), frames);
    });
}

void TestedPlugin::processSane(AudioBuffers& buffers, int frames, const std::string& situation) {
    requireSane(process(buffers, frames, situation), situation);
}

void TestedPlugin::close() {
    if (!effect_) return;
    noteStep("effClose");
    AEffect* closing = effect_;
    effect_ = nullptr;
    closing->dispatcher(closing, effClose, 0, 0, nullptr, 0.0f);
    host_.forget(closing);
}

}  // namespace validator
