// libFuzzer target: one instance of the effect driven through its effect record with
// fuzzed requests (every opcode from -10 to 100, hostile index, value and opt, a pointer
// into a buffer with canaries), parameter changes and blocks of audio, in an order the
// fuzzer chooses. Findings: anything the sanitizers report, a write past a request's
// buffer or a block's channels, and non-finite output for finite input.
//
// Creating an instance builds its tube tables (milliseconds), so one instance serves all
// inputs; each input starts from the same parameters, program name, rate and block size.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "host/AudioEffect.h"
#include "host/EffectFactory.h"
#include "tools/validator/FuzzedRequest.h"
#include "tools/validator/OpcodeNames.h"

namespace {

constexpr int kLargestBlock = 512;
constexpr int kGuard = 16;
constexpr std::size_t kRequestBufferSize = 4096;

// The validator's source of numbers, drawn from the fuzzer's bytes.
class FuzzSource {
public:
    explicit FuzzSource(FuzzedDataProvider& provider) : provider_(provider) {}
    int integer(int lowest, int highest) { return provider_.ConsumeIntegralInRange(lowest, highest); }
    float uniform(float lowest, float highest) { return provider_.ConsumeFloatingPointInRange(lowest, highest); }
    bool chance(double probability) { return provider_.ConsumeProbability<double>() < probability; }
    std::uint64_t bits() { return provider_.ConsumeIntegral<std::uint64_t>(); }

private:
    FuzzedDataProvider& provider_;
};

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

[[noreturn]] void finding(const char* what) {
    std::fprintf(stderr, "dispatcher fuzzer: %s\n", what);
    std::abort();
}

class Instance {
public:
    Instance() : effect_(createEffectInstance(&hostCallback)->getAeffect()) {
        for (int i = 0; i < effect_->numParams; ++i) initial_.push_back(effect_->getParameter(effect_, i));
        dispatch(effGetProgramName, 0, 0, initialName_);
    }

    AEffect& record() { return *effect_; }

    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt = 0.0f) {
        return effect_->dispatcher(effect_, opcode, index, value, ptr, opt);
    }

    void reset() {
        dispatch(effMainsChanged, 0, 0, nullptr);
        for (int i = 0; i < static_cast<int>(initial_.size()); ++i) effect_->setParameter(effect_, i, initial_[i]);
        dispatch(effSetProgramName, 0, 0, initialName_);
        dispatch(effSetSampleRate, 0, 0, nullptr, 44100.0f);
        dispatch(effSetBlockSize, 0, kLargestBlock, nullptr);
        dispatch(effMainsChanged, 0, 1, nullptr);
    }

private:
    AEffect* effect_;
    std::vector<float> initial_;
    char initialName_[kVstMaxProgNameLen + 8] = {};
};

// Two channels in, two out, each with a guard zone behind it; optionally in place.
class Block {
public:
    Block() : storage_(4, std::vector<float>(kLargestBlock + kGuard)) {}

    void process(Instance& instance, FuzzSource& source) {
        const int frames = source.integer(0, kLargestBlock);
        const bool inPlace = source.chance(0.3);
        const float level = source.uniform(0.0f, 1.0f);
        for (auto& channel : storage_) std::fill(channel.begin(), channel.end(), kGuardValue);
        for (int c = 0; c < 2; ++c)
            for (int i = 0; i < frames; ++i)
                storage_[c][i] = level * std::sin(0.01f * static_cast<float>((c + 1) * i));
        float* inputs[] = {storage_[0].data(), storage_[1].data()};
        float* outputs[] = {inPlace ? inputs[0] : storage_[2].data(), inPlace ? inputs[1] : storage_[3].data()};
        instance.record().processReplacing(&instance.record(), inputs, outputs, frames);
        for (const auto& channel : storage_)
            for (int i = frames; i < kLargestBlock + kGuard; ++i)
                if (channel[i] != kGuardValue) finding("a block wrote past its last frame");
        for (float* output : outputs)
            for (int i = 0; i < frames; ++i)
                if (!std::isfinite(output[i])) finding("non-finite output for finite input");
    }

private:
    static constexpr float kGuardValue = 12345.0f;
    std::vector<std::vector<float>> storage_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Instance instance;
    static validator::HostileBuffer buffer(kRequestBufferSize);
    static Block block;
    instance.reset();
    FuzzedDataProvider provider(data, size);
    FuzzSource source(provider);
    const int parameters = instance.record().numParams;
    while (provider.remaining_bytes() > 0) {
        switch (source.integer(0, 7)) {
            case 0:
                instance.record().setParameter(&instance.record(), validator::fuzzedIndex(source, parameters),
                                               validator::fuzzedFloat(source));
                break;
            case 1:
                instance.record().getParameter(&instance.record(), validator::fuzzedIndex(source, parameters));
                break;
            case 2:
                block.process(instance, source);
                break;
            default: {
                const int opcode = source.integer(validator::kFirstFuzzedOpcode, validator::kLastFuzzedOpcode);
                if (validator::leftOutOfFuzzing(opcode)) break;
                const validator::FuzzedRequest request = validator::fuzzedRequest(opcode, parameters, buffer, source);
                instance.dispatch(opcode, request.index, request.value, request.ptr, request.opt);
                if (buffer.damagedCanary()) finding(("a request wrote outside its buffer: " +
                                                     validator::opcodeText(opcode)).c_str());
                break;
            }
        }
    }
    return 0;
}
