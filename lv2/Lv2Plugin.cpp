// The effect as an LV2 plug-in: the library's one export, lv2_descriptor. The control ports
// carry real values (dB, ms, %); each run turns those that changed into the normalised
// values the effect core keeps, so a change lands at the next block, and the sound is
// that of every other format.
#include <lv2/core/lv2.h>

#include <array>
#include <cmath>
#include <new>

#include "dsp/SignalPath.h"
#include "effect/EffectCore.h"
#include "effect/EffectIdentity.h"
#include "effect/ParameterUnits.h"
#include "host/BoundaryGuard.h"
#include "lv2/Lv2Ports.h"

namespace {

class Lv2Plugin {
public:
    bool setRate(double rate) { return core.setSampleRate(static_cast<float>(rate)); }
    void connect(uint32_t port, void* data) {
        if (port < lv2port::kCount) ports[port] = static_cast<float*>(data);
    }
    void run(uint32_t frames);

private:
    void takeControls();
    void publish(const dsp::BlockMeters& meters);
    void write(uint32_t port, float value) {
        if (ports[port]) *ports[port] = value;
    }

    EffectCore core;
    std::array<float*, lv2port::kCount> ports{};
    // The real values last taken; the first run takes them all.
    std::array<float, parameter::kActiveCount> taken{};
    bool first = true;
};

void Lv2Plugin::takeControls() {
    for (int32_t i = 0; i < parameter::kActiveCount; ++i) {
        const float* control = ports[lv2port::portOf(i)];
        if (!control) continue;
        const float real = *control;
        if (!first && (real == taken[i] || (std::isnan(real) && std::isnan(taken[i])))) continue;
        taken[i] = real;
        core.setParameter(i, parameter::fromRealFloat(i, real));
    }
    first = false;
}

void Lv2Plugin::publish(const dsp::BlockMeters& meters) {
    constexpr float kRange = dsp::BlockMeters::kGainReductionRangeDb;
    write(lv2port::kLatency, static_cast<float>(kLatencySamples));
    write(lv2port::kGainReductionLeft, kRange * meters.gainReductionLeft);
    write(lv2port::kGainReductionRight, kRange * meters.gainReductionRight);
    write(lv2port::kInputLevel, meters.inputLevel);
    write(lv2port::kOutputLevel, meters.outputLevel);
}

void Lv2Plugin::run(uint32_t frames) {
    takeControls();
    const float* inL = ports[lv2port::kInputLeft];
    const float* inR = ports[lv2port::kInputRight];
    float* outL = ports[lv2port::kOutputLeft];
    float* outR = ports[lv2port::kOutputRight];
    if (!inL || !inR || !outL || !outR) return;
    publish(core.processBlock(inL, inR, outL, outR, static_cast<int>(frames)));
}

Lv2Plugin& of(LV2_Handle handle) { return *static_cast<Lv2Plugin*>(handle); }

LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*) {
    return guardBoundary<LV2_Handle>(nullptr, [&]() -> LV2_Handle {
        auto* plugin = new (std::nothrow) Lv2Plugin;
        if (plugin && !plugin->setRate(rate)) {
            delete plugin;
            return nullptr;
        }
        return plugin;
    });
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    if (handle) of(handle).connect(port, data);
}

void run(LV2_Handle handle, uint32_t frames) {
    if (handle) guardBoundary(0, [&] {
            of(handle).run(frames);
            return 0;
        });
}

// Activation clears nothing: the state keeps running, as in every format.
void activate(LV2_Handle) {}
void deactivate(LV2_Handle) {}

void cleanup(LV2_Handle handle) { delete static_cast<Lv2Plugin*>(handle); }

const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor kDescriptor{lv2port::kPluginUri, instantiate, connectPort, activate, run, deactivate, cleanup,
                                 extensionData};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
