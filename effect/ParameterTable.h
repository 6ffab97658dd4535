// The effect's 24 parameters: names and default values. Indices 0 to 10 act on the
// sound; 11 to 23 are placeholders kept so that stored sessions keep their layout.
#pragma once

#include <array>

#include "dsp/ParameterSnapshot.h"

struct ParameterInfo {
    const char* name;
    float defaultValue;
};

// The active parameters are the ones the signal path reads, in its index order.
inline constexpr int kActiveParameterCount = dsp::ParameterSnapshot::kCount;
inline constexpr int kParameterCount = 24;

inline constexpr std::array<ParameterInfo, kActiveParameterCount> kActiveParameters{{
    {"Gain", 0.0f},
    {"Volume", 1.0f},
    {"Attack", 0.2f},
    {"Release", 0.5f},
    {"Ratio", 0.8f},
    {"LeftGrid", 0.3f},
    {"RightGrid", 0.3f},
    {"Dry-Wet", 1.0f},
    {"Power", 1.0f},
    {"Autogain", 1.0f},
    {"Sidechain", 0.0f},
}};

inline constexpr const char* kPlaceholderParameterName = "-";
inline constexpr float kPlaceholderDefault = 0.5f;

constexpr bool isParameterIndex(int index) { return index >= 0 && index < kParameterCount; }

constexpr const char* parameterName(int index) {
    return index >= 0 && index < kActiveParameterCount ? kActiveParameters[index].name
                                                       : kPlaceholderParameterName;
}

constexpr float parameterDefault(int index) {
    return index >= 0 && index < kActiveParameterCount ? kActiveParameters[index].defaultValue
                                                       : kPlaceholderDefault;
}
