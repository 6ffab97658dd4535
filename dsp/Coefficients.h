// The numbers the per-sample code uses: rate quantities, the coefficients fixed at
// construction, and the block coefficients derived from the parameters at the start of
// every block. Mathematical functions run here only, in double precision, rounded to
// single precision where their results are stored.
#pragma once

#include "dsp/ParameterSnapshot.h"
#include "dsp/SidechainShelf.h"

namespace dsp {

struct RateQuantities {
    float sampleRate;
    float rateRatio;       // 48000 / sampleRate: time constants are given per 48 kHz sample
    float hostPeriod;      // 1 / sampleRate, seconds
    float internalPeriod;  // 1 / kInternalRate, seconds: the tube stage's sample period

    static RateQuantities forRate(float sampleRate);
};

// Computed once, at construction, for the construction rate; a later rate change leaves
// them as they are.
struct FixedCoefficients {
    float detectorAttackCoef;   // 0.5^k0
    float detectorReleaseCoef;  // 0.99792^k0
    float dcBlockCoef;          // 0.996^k0, at 192 kHz: corner near 133 Hz
    float warmupCoef;           // per 192 kHz sample

    static FixedCoefficients forRate(const RateQuantities& rate);
};

struct BlockCoefficients {
    float inputGainDb, inputGain;
    float outputGainDb, outputGain;
    float attackCoef, releaseCoef;
    SidechainShelf sidechain;
    float thresholdDb, kneeTopDb, ratioScale;
    float wet, dry;
    float driveSmoothing;
    float tubeBlend;
    bool powerOn;

    static BlockCoefficients derive(const ParameterSnapshot& parameters, float rateRatio);
};

}  // namespace dsp
