// The per-channel compressor at the host rate: shelving-filtered detector, polynomial
// rectifier with a floor near -30.1 dB, peak envelope, level in dB, level smoothing, the
// fixed gain curve and gain smoothing. The stereo link is the caller's.
#pragma once

#include "dsp/Coefficients.h"

namespace dsp {

// The detector's rectifier: smooth polynomial up to |d| = 1, |d| above.
float rectify(float d);

// Envelope level in dB: the table covers -80..+24 dB; above it every factor of 4 adds 12 dB.
float envelopeLevelDb(float envelope);

struct GainCurve {
    float thresholdDb, kneeTopDb, ratioScale;
};
// Static output level for a smoothed level at or above the threshold: a polynomial over
// the 50 dB above it, constant from the knee top on.
float gainCurveOutputDb(float levelDb, const GainCurve& curve);
// Target gain in dB for a smoothed level: always negative.
float gainComputerDb(float levelDb, const GainCurve& curve);

class CompressorChannel {
public:
    void reset() { *this = CompressorChannel{}; }
    bool isFinite() const;

    // Steps one input sample through detector and smoothing; returns the new gainDb.
    float process(float x, const BlockCoefficients& block, const FixedCoefficients& fixed);

    float levelDb() const { return levelDb_; }
    float gainDb() const { return gainDb_; }

private:
    float sidechainState_[4]{};  // x[n-1], x[n-2], y[n-1], y[n-2]
    float peakEnvelope_ = 0.0f;
    float levelDb_ = 0.0f;
    float gainDb_ = 0.0f;
};

}  // namespace dsp
