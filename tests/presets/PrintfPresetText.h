// The preset text written independently of the presets library, with printf: the header
// line, then each key and its value printed with " %.10f" of the value widened to double.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

inline std::string printfPresetText(const std::vector<float>& values,
                                    const std::string& header = "Marvolenzik 010000",
                                    const std::string& lineEnd = "\n") {
    static const char* const keys[] = {"InGain", "OutGain",   "Atk", "Rls", "Ratio", "LGrid",
                                       "RGrid",  "DryWetMix", "ON",  "AG",  "SC"};
    std::string text = header + lineEnd;
    for (std::size_t i = 0; i < values.size() && i < 11; ++i) {
        char value[100];
        std::snprintf(value, sizeof value, " %.10f", static_cast<double>(values[i]));
        text += keys[i] + std::string(value) + lineEnd;
    }
    return text;
}
