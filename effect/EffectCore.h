// The effect without a plug-in format: the 24 parameter values, the one program that keeps
// a second copy of them, the signal path (inline, so one allocation holds an instance's
// signal state; the tube tables are shared by all instances of the process), and the four
// meter values of the last block. Each format binding (VST 2.4, CLAP, LV2) is glue around it.
#pragma once

#include <atomic>

#include "dsp/SignalPath.h"
#include "effect/EffectProgram.h"
#include "effect/Parameters.h"

class EffectCore {
public:
    // The default program ("Default") in force, the signal path at 44100 Hz.
    EffectCore();

    // From any thread. Indices outside 0 to 23 read 0 and write nothing. A value is stored
    // as given, also in the program; the sound hears it from the next block on.
    float getParameter(int32_t index) const;
    void setParameter(int32_t index, float value);

    EffectProgram& program() { return program_; }
    const EffectProgram& program() const { return program_; }
    // Cut to EffectProgram::kNameBytes - 1 characters.
    void setProgramName(const char* name);

    // A rate that is not a positive, finite number of at least the signal path's minimum
    // is refused (false) and the previous one kept.
    bool setSampleRate(float rate);
    float sampleRate() const { return signalPath_.sampleRate(); }

    // One block with the parameters in force at its start; the meters are what the block
    // saw, not yet published. Inputs and outputs may be the same buffers.
    dsp::BlockMeters processBlock(const float* inLeft, const float* inRight, float* outLeft,
                                  float* outRight, int frames);
    // What the editor reads: the meters of the last block (or of the blocks a host's block
    // was split into, combined).
    void publishMeters(const dsp::BlockMeters& meters);
    dsp::BlockMeters publishedMeters() const {
        return {meterGrLeft_.load(std::memory_order_relaxed), meterGrRight_.load(std::memory_order_relaxed),
                meterInput_.load(std::memory_order_relaxed), meterOutput_.load(std::memory_order_relaxed)};
    }

    const dsp::SignalPath& signalPath() const { return signalPath_; }

private:
    EffectProgram program_;
    std::atomic<float> parameterValues_[parameter::kCount];
    std::atomic<float> meterGrLeft_{0.0f};
    std::atomic<float> meterGrRight_{0.0f};
    std::atomic<float> meterInput_{0.0f};
    std::atomic<float> meterOutput_{0.0f};
    dsp::SignalPath signalPath_;
};
