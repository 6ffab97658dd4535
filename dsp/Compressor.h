// The compressor at the host rate: shelving-filtered detector, polynomial rectifier with a
// floor near -30.1 dB, peak envelope, level in dB, level smoothing, the fixed gain curve and
// gain smoothing. One channel as float, or both at once in lanes 0 and 1 of a Float4, where
// each lane gives exactly what the float form gives: every decision is a per-lane select.
// The stereo link is the caller's.
#pragma once

#include "dsp/Coefficients.h"
#include "dsp/LevelTables.h"
#include "dsp/SidechainShelf.h"

namespace dsp {

// The block's static gain curve: threshold, knee top (50 dB above it) and the scale the
// Ratio setting gives the gain reduction.
template <class Sample>
struct GainCurve {
    Sample thresholdDb, kneeTopDb, ratioScale;
};
// Spelled out for compilers without deduction for aggregates (clang before 17).
template <class Sample>
GainCurve(Sample, Sample, Sample) -> GainCurve<Sample>;

// The block's coefficients in the form the lanes use, made before the sample loop.
template <class Sample>
struct CompressorLanes {
    SidechainShelfLanes<Sample> sidechain;
    Sample inputGain, detectorAttackCoef, detectorReleaseCoef, attackCoef, releaseCoef;
    GainCurve<Sample> curve;

    CompressorLanes(const BlockCoefficients& block, const FixedCoefficients& fixed)
        : sidechain(block.sidechain),
          inputGain(constant<Sample>(block.inputGain)),
          detectorAttackCoef(constant<Sample>(fixed.detectorAttackCoef)),
          detectorReleaseCoef(constant<Sample>(fixed.detectorReleaseCoef)),
          attackCoef(constant<Sample>(block.attackCoef)),
          releaseCoef(constant<Sample>(block.releaseCoef)),
          curve{constant<Sample>(block.thresholdDb), constant<Sample>(block.kneeTopDb),
                constant<Sample>(block.ratioScale)} {}
};

// The detector's rectifier: smooth polynomial up to |d| = 1, |d| above.
template <class Sample>
Sample rectify(Sample d) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample size = magnitude(d);
    const Sample d2 = d * d;
    const Sample d4 = d2 * d2;
    const Sample polynomial =
        c(2.0f) * (d4 * (c(4.5072875f) * d2 - c(3.7919977f) - c(1.9086499f) * d4) +
                   (c(1.6720511f) * d2 + c(0.015623941f)));
    return select(size <= c(1.0f), polynomial, size);
}

// Envelope level in dB: the table covers -80..+24 dB; above it every factor of 4 adds 12 dB.
template <class Sample>
Sample envelopeLevelDb(Sample envelope) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample upper = c(levelTables.upperLevel);
    Sample offset{};
    // Rare: only an envelope above +24 dB. 62 quarterings bring the largest finite float
    // below the table's top; the bound stops an infinite envelope from looping for ever.
    constexpr int kMaxQuarterings = 64;
    for (int n = 0; n < kMaxQuarterings && anyLane(envelope > upper); ++n) {
        const auto above = envelope > upper;
        envelope = select(above, envelope * c(0.25f), envelope);
        offset = select(above, offset + c(12.0f), offset);
    }
    const Sample levelDb =
        select(envelope < c(levelTables.lowerLevel), c(-80.0f),
               select(envelope < upper, levelTables.levelToDb(envelope), c(24.0f)));
    return levelDb + offset;
}

// Static output level for a smoothed level at or above the threshold: a polynomial over
// the 50 dB above it, constant from the knee top on.
template <class Sample>
Sample gainCurveOutputDb(Sample v, const GainCurve<Sample>& curve) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample w = (lesserOf(v, curve.kneeTopDb) - curve.thresholdDb) * c(0.02f);
    const Sample z = c(0.3f) * (w * w) + c(0.8f) * w;
    const Sample z2 = z * z;
    const Sample P =
        ((c(0.45596167f) * z2 - c(1.0679327f)) * z2 + c(0.68190324f)) * z2 + c(0.16845384f);
    return curve.thresholdDb + c(50.0f) * z * P;
}
// Target gain in dB for a smoothed level: always negative.
template <class Sample>
Sample gainComputerDb(Sample v, const GainCurve<Sample>& curve) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample out = gainCurveOutputDb(v, curve);
    return select(curve.thresholdDb > v, c(-0.000001f),
                  (out - v) * curve.ratioScale - c(0.000001f));
}

template <class Sample>
class Compressor {
public:
    void reset() { *this = Compressor{}; }
    bool isFinite() const {
        const Sample states[] = {peakEnvelope_, levelDb_, gainDb_};
        return sidechain_.isFinite() && allFinite(states);
    }

    // Steps one input sample through detector and smoothing; returns the new gainDb.
    Sample process(Sample x, const CompressorLanes<Sample>& k) {
        const Sample y = sidechain_.process(x, k.sidechain);

        const Sample r = rectify(y * k.inputGain);
        const Sample envelopeCoef = select(r > peakEnvelope_, k.detectorAttackCoef, k.detectorReleaseCoef);
        peakEnvelope_ = r + (peakEnvelope_ - r) * envelopeCoef;

        // Rises with the attack, falls with the release, holds where equal (or NaN).
        const Sample L = envelopeLevelDb(peakEnvelope_);
        const Sample coef = select(L > levelDb_, k.attackCoef, k.releaseCoef);
        levelDb_ = select((L == levelDb_) | (L != L), levelDb_, L + (levelDb_ - L) * coef);

        const Sample g = gainComputerDb(levelDb_, k.curve);
        gainDb_ = select(g < gainDb_, g + (gainDb_ - g) * k.attackCoef, g);
        return gainDb_;
    }

    Sample levelDb() const { return levelDb_; }
    Sample gainDb() const { return gainDb_; }

private:
    SidechainShelfState<Sample> sidechain_;
    Sample peakEnvelope_{};
    Sample levelDb_{};
    Sample gainDb_{};
};

}  // namespace dsp
