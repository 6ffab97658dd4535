// The LV2 plug-in's identity and ports, as the DSP, its UI and the generated description
// all number them: stereo audio in and out, one control input per acting parameter (in
// parameter-index order), the latency, and the four meter values the editor shows.
#pragma once

#include <cstdint>

#include "effect/EffectIdentity.h"
#include "effect/Parameters.h"

namespace lv2port {

inline constexpr const char* kPluginUri = kLv2Uri;
inline constexpr const char* kUiUri = kLv2UiUri;

enum Port : uint32_t {
    kInputLeft,
    kInputRight,
    kOutputLeft,
    kOutputRight,
    kFirstControl,  // parameter i at kFirstControl + i
    kLatency = kFirstControl + parameter::kActiveCount,
    kGainReductionLeft,   // dB, 0 for none
    kGainReductionRight,
    kInputLevel,   // the smoothed level of the left input
    kOutputLevel,  // of the left output before the volume
    kCount
};

constexpr bool isControl(uint32_t port) { return port >= kFirstControl && port < kLatency; }
constexpr int32_t parameterOf(uint32_t port) { return static_cast<int32_t>(port - kFirstControl); }
constexpr uint32_t portOf(int32_t parameter) { return kFirstControl + static_cast<uint32_t>(parameter); }

}  // namespace lv2port
