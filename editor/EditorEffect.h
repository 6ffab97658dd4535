// All the editor asks of the effect: parameter values, user changes sent on to the host,
// and the four levels the signal path publishes after each block.
#pragma once

#include "presets/PresetParameters.h"

// Parameters are read and set (stored, told to the editor through setParameter, and sent
// to the host as automation) as the presets do it.
class EditorEffect : public PresetParameters {
public:
    // Gain reduction, 0 for none and 1 for 25 dB.
    virtual float getGainReductionLeft() = 0;
    virtual float getGainReductionRight() = 0;
    virtual float getInputLevel() = 0;
    virtual float getOutputLevel() = 0;

protected:
    ~EditorEffect() = default;
};
