// Who the effect is to a host, in every format; shared with the tools that recognise it.
#pragma once

#include <cstdint>

inline constexpr const char* kEffectName = "Marvolenzik";
inline constexpr const char* kVendorString = "marvolenzik.example";
inline constexpr int32_t kLatencySamples = 3;
// The CLAP plug-in id, stable for ever: hosts store sessions by it.
inline constexpr const char* kClapId = "example.marvolenzik.compressor";
// The VST 2.4 unique identifier 'MVZ', its leading byte zero.
inline constexpr int32_t kMarvolenzikId = 0x004D565A;
