// An LV2 plug-in that passes its stereo input through at a gain (one control port), with
// at most one deliberate fault, chosen by FAULT at build time, for the LV2 check meant for
// it to catch. Its URI is FAULTY_URI; the build writes its bundle's manifest from
// FaultyLv2Plugin.ttl.in.
#include <lv2/core/lv2.h>

#include <cmath>
#include <new>
#include <vector>

#define FAULT_NONE 0
#define FAULT_ALLOCATES 1        // allocates in every run
#define FAULT_TRUSTS_CONTROLS 2  // takes the gain as it comes: huge values overflow the output
#define FAULT_SHARES_STATE 3     // a drift shared by all instances: two instances disagree

namespace {

enum Port : uint32_t { kInLeft, kInRight, kOutLeft, kOutRight, kGain, kPortCount };

struct Instance {
    float* ports[kPortCount] = {};
};

#if FAULT == FAULT_SHARES_STATE
float sharedDrift = 0.0f;
#endif

LV2_Handle instantiate(const LV2_Descriptor*, double, const char*, const LV2_Feature* const*) {
    return new (std::nothrow) Instance;
}

void connect(LV2_Handle handle, uint32_t port, void* data) {
    if (port < kPortCount) static_cast<Instance*>(handle)->ports[port] = static_cast<float*>(data);
}

void run(LV2_Handle handle, uint32_t frames) {
    const Instance& self = *static_cast<Instance*>(handle);
    float gain = *self.ports[kGain];
#if FAULT != FAULT_TRUSTS_CONTROLS
    gain = gain >= 0.0f ? (gain <= 2.0f ? gain : 2.0f) : 0.0f;
#endif
#if FAULT == FAULT_ALLOCATES
    delete new std::vector<float>(frames + 1);
#endif
#if FAULT == FAULT_SHARES_STATE
    sharedDrift += 1e-3f;
    gain += sharedDrift;
#endif
    for (uint32_t channel = 0; channel < 2; ++channel) {
        const float* in = self.ports[kInLeft + channel];
        float* out = self.ports[kOutLeft + channel];
        for (uint32_t i = 0; i < frames; ++i) {
            // Subnormal input comes out as zero, as a careful plug-in's does.
            const float y = gain * in[i];
            out[i] = std::fabs(y) < 1e-30f ? 0.0f : y;
        }
    }
}

void cleanup(LV2_Handle handle) { delete static_cast<Instance*>(handle); }

const LV2_Descriptor kDescriptor{FAULTY_URI, instantiate, connect, nullptr, run, nullptr, cleanup, nullptr};

}  // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &kDescriptor : nullptr;
}
