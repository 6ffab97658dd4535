#include "effect/EffectCore.h"

#include "dsp/Float4.h"
#include "host/HostText.h"

EffectCore::EffectCore() {
    for (int32_t i = 0; i < parameter::kCount; ++i) {
        program_.values[i].store(parameter::defaultValue(i), std::memory_order_relaxed);
        parameterValues_[i].store(parameter::defaultValue(i), std::memory_order_relaxed);
    }
    setProgramName("Default");
}

float EffectCore::getParameter(int32_t index) const {
    return parameter::isIndex(index) ? parameterValues_[index].load(std::memory_order_relaxed)
                                     : 0.0f;
}

void EffectCore::setParameter(int32_t index, float value) {
    if (!parameter::isIndex(index)) return;
    program_.values[index].store(value, std::memory_order_relaxed);
    parameterValues_[index].store(value, std::memory_order_relaxed);
}

void EffectCore::setProgramName(const char* name) {
    copyHostText(program_.name, sizeof program_.name, name);
}

bool EffectCore::setSampleRate(float rate) { return signalPath_.setSampleRate(rate); }

dsp::BlockMeters EffectCore::processBlock(const float* inLeft, const float* inRight,
                                          float* outLeft, float* outRight, int frames) {
    // The signal path's formulas hold for normalised values only: above 1 the attack, release
    // and drive smoothing turn into growing recursions, below 0 the attack's fourth root is
    // undefined, and NaN reaches every sample. A parameter keeps whatever a host sent; the
    // sound uses the nearest value in 0..1 (NaN as 0), which leaves 0..1 itself untouched.
    dsp::ParameterSnapshot parameters;
    for (int i = 0; i < dsp::ParameterSnapshot::kCount; ++i)
        parameters.values[i] = dsp::clamp01(parameterValues_[i].load(std::memory_order_relaxed));
    return signalPath_.processBlock(inLeft, inRight, outLeft, outRight, frames, parameters);
}

void EffectCore::publishMeters(const dsp::BlockMeters& meters) {
    meterGrLeft_.store(meters.gainReductionLeft, std::memory_order_relaxed);
    meterGrRight_.store(meters.gainReductionRight, std::memory_order_relaxed);
    meterInput_.store(meters.inputLevel, std::memory_order_relaxed);
    meterOutput_.store(meters.outputLevel, std::memory_order_relaxed);
}
