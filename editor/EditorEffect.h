// All the editor asks of the effect, in every plug-in format: parameter values, the user's
// changes and edit gestures sent on to the host, and the four levels the signal path
// publishes after each block.
#pragma once

#include <cstdint>

#include "presets/PresetParameters.h"

// Parameters are read and set (stored, told to the editor, and sent to the host as the
// user's change) as the presets do it.
class EditorEffect : public PresetParameters {
public:
    // The user starts and ends changing a parameter: one gesture, around its changes.
    // True when the host took note; callers need not look.
    virtual bool beginEdit(int32_t index) = 0;
    virtual bool endEdit(int32_t index) = 0;

    // Gain reduction, 0 for none and 1 for 25 dB.
    virtual float getGainReductionLeft() = 0;
    virtual float getGainReductionRight() = 0;
    // Smoothed levels of the left input and of the left output before the volume.
    virtual float getInputLevel() = 0;
    virtual float getOutputLevel() = 0;

protected:
    ~EditorEffect() = default;
};
