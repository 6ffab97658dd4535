// The compressor at the host rate: shelving-filtered detector, polynomial rectifier with a
// floor near -30.1 dB, peak envelope, level in dB, level smoothing, the fixed gain curve and
// gain smoothing. One channel as float, or both at once in lanes 0 and 1 of a Float4, where
// each lane gives exactly what the float form gives: every decision is a per-lane select.
// The stereo link is the caller's.
#pragma once

#include "dsp/Coefficients.h"
#include "dsp/SidechainShelf.h"

namespace dsp {

// The detector's rectifier: smooth polynomial up to |d| = 1, |d| above.
template <class Sample>
Sample rectify(Sample d);

// Envelope level in dB: the table covers -80..+24 dB; above it every factor of 4 adds 12 dB.
template <class Sample>
Sample envelopeLevelDb(Sample envelope);

struct GainCurve {
    float thresholdDb, kneeTopDb, ratioScale;
};
// Static output level for a smoothed level at or above the threshold: a polynomial over
// the 50 dB above it, constant from the knee top on.
template <class Sample>
Sample gainCurveOutputDb(Sample levelDb, const GainCurve& curve);
// Target gain in dB for a smoothed level: always negative.
template <class Sample>
Sample gainComputerDb(Sample levelDb, const GainCurve& curve);

template <class Sample>
class Compressor {
public:
    void reset() { *this = Compressor{}; }
    bool isFinite() const;

    // Steps one input sample through detector and smoothing; returns the new gainDb.
    Sample process(Sample x, const BlockCoefficients& block, const FixedCoefficients& fixed);

    Sample levelDb() const { return levelDb_; }
    Sample gainDb() const { return gainDb_; }

private:
    SidechainShelfState<Sample> sidechain_;
    Sample peakEnvelope_{};
    Sample levelDb_{};
    Sample gainDb_{};
};

extern template class Compressor<float>;
extern template class Compressor<Float4>;

}  // namespace dsp
