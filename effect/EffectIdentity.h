// Who the effect is to a host; shared with the tools that recognise it.
#pragma once

#include "host/VstInterface.h"

inline constexpr VstInt32 kMarvolenzikId = fourCharCode('\0', 'M', 'V', 'Z');
inline constexpr const char* kEffectName = "Marvolenzik";
inline constexpr const char* kVendorString = "marvolenzik.example";
inline constexpr VstInt32 kLatencySamples = 3;
