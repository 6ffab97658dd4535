// All the editor asks of the effect: parameter values, user changes sent on to the host,
// and the four levels the signal path publishes after each block.
#pragma once

#include "host/VstInterface.h"

class EditorEffect {
public:
    virtual float getParameter(VstInt32 index) = 0;
    // Stores the value, tells the editor (setParameter) and sends the host an automation
    // request.
    virtual void setParameterAutomated(VstInt32 index, float value) = 0;
    // Gain reduction, 0 for none and 1 for 25 dB.
    virtual float getGainReductionLeft() = 0;
    virtual float getGainReductionRight() = 0;
    virtual float getInputLevel() = 0;
    virtual float getOutputLevel() = 0;

protected:
    ~EditorEffect() = default;
};
