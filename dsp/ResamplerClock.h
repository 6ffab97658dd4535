// Places the 192 kHz samples between the 4x-rate samples: resamplePhase is the time from
// the current 4x-rate sample to the next internal sample.
#pragma once

namespace dsp {

class ResamplerClock {
public:
    void reset() { resamplePhase = 0.0f; }

    bool internalSampleDue(float subStepPeriod) const { return resamplePhase < subStepPeriod; }
    // Position for the forward interpolator, -0.5..0.5 across the sub-step.
    float forwardPosition(float subStepPeriod) const {
        return resamplePhase / subStepPeriod - 0.5f;
    }
    // Position for the back interpolator over the internal history.
    float backPosition(float internalPeriod) const {
        return (1.0f - resamplePhase / internalPeriod) - 0.5f;
    }
    void advanceInternal(float internalPeriod) { resamplePhase = resamplePhase + internalPeriod; }
    void endSubStep(float subStepPeriod) { resamplePhase = resamplePhase - subStepPeriod; }

    float resamplePhase = 0.0f;
};

}  // namespace dsp
