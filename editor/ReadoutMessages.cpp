#include "editor/ReadoutMessages.h"

#include <cstdio>

#include "effect/Parameters.h"

bool formatReadout(int32_t tag, float v, ReadoutOccasion occasion, char* text,
                   std::size_t capacity) {
    if (capacity == 0) return false;
    text[0] = '\0';
    if (!parameter::isActive(tag)) return false;
    const parameter::Info& info = parameter::kTable[tag];
    const char* format =
        occasion == ReadoutOccasion::hovered ? info.hoveredMessage : info.changedMessage;
    // The shown numbers are products rounded to single precision before printing, except
    // the output volume's dB, whose subtraction keeps double precision.
    const float times100 = v * 100.0f;
    double first = v;
    double second = 0.0;
    switch (info.readout) {
        case parameter::Readout::gainDb:
            first = parameter::inputGainDb(v);
            break;
        case parameter::Readout::volumeDb:
            first = parameter::outputVolumeDb(static_cast<double>(v));
            break;
        case parameter::Readout::times100:
            first = times100;
            break;
        case parameter::Readout::dryWet:
            first = 100.0f - times100;
            second = times100;
            break;
        case parameter::Readout::value:
            break;
    }
    // Formats with fewer numbers than given leave the rest unread.
    const int written = std::snprintf(text, capacity, format, first, second);
    if (written < 0) {
        text[0] = '\0';
        return false;
    }
    return true;
}
