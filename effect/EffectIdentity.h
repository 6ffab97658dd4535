// Who the effect is to a host, in every format; shared with the tools that recognise it.
#pragma once

#include <cstdint>

inline constexpr const char* kEffectName = "Marvolenzik";
inline constexpr const char* kVendorString = "marvolenzik.example";
inline constexpr int32_t kLatencySamples = 3;
// The CLAP plug-in id, stable for ever: hosts store sessions by it.
inline constexpr const char* kClapId = "example.marvolenzik.compressor";
// The LV2 plug-in's URI and its UI's, for ever for the same reason.
inline constexpr const char* kLv2Uri = "https://marvolenzik.example/lv2/marvolenzik";
inline constexpr const char* kLv2UiUri = "https://marvolenzik.example/lv2/marvolenzik#ui";
// The VST 2.4 unique identifier 'MVZ', its leading byte zero.
inline constexpr int32_t kMarvolenzikId = 0x004D565A;
