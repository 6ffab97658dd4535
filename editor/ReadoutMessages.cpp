#include "editor/ReadoutMessages.h"

#include <cstdio>

namespace {

// The shown numbers are products rounded to single precision before printing, except
// the output volume's dB, whose subtraction keeps double precision.
double times50(float v) { return static_cast<float>(v * 50.0f); }
double times100(float v) { return static_cast<float>(v * 100.0f); }

}  // namespace

bool formatReadout(int32_t tag, float v, ReadoutOccasion occasion, char* text,
                   std::size_t capacity) {
    if (capacity == 0) return false;
    const bool hovered = occasion == ReadoutOccasion::hovered;
    int written = -1;
    switch (tag) {
        case 0:
            written = std::snprintf(text, capacity, "Input Gain %.2f dB", times50(v));
            break;
        case 1:
            written = std::snprintf(text, capacity, "Output Volume %.2f dB",
                                    static_cast<double>(v) * 50.0 - 50.0);
            break;
        case 2:
            written = std::snprintf(text, capacity, "Attack Time %.2f", times100(v));
            break;
        case 3:
            written = std::snprintf(text, capacity, "Release Time %.2f", times100(v));
            break;
        case 4:
            written = std::snprintf(text, capacity, "Ratio %.2f", times100(v));
            break;
        case 5:
            written = std::snprintf(text, capacity, hovered ? "Grid Left %.2f" : "Polarisation %.2f",
                                    times100(v));
            break;
        case 6:
            written = std::snprintf(text, capacity, hovered ? "Grid Right %.2f" : "Saturation %.2f",
                                    times100(v));
            break;
        case 7: {
            const float wet = static_cast<float>(v * 100.0f);
            written = std::snprintf(text, capacity, "Dry %.1f Wet %.1f %%",
                                    static_cast<double>(100.0f - wet), static_cast<double>(wet));
            break;
        }
        case 8:
            written = std::snprintf(text, capacity, "Power");
            break;
        case 9:
            written = hovered ? std::snprintf(text, capacity, "AutoGain")
                              : std::snprintf(text, capacity, "AutoGain %.1f",
                                              static_cast<double>(v));
            break;
        case 10:
            written = std::snprintf(text, capacity, hovered ? "SideChain filter" : "SideChain Filter");
            break;
        default:
            break;
    }
    if (written < 0) {
        text[0] = '\0';
        return false;
    }
    return true;
}
