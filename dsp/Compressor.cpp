#include "dsp/Compressor.h"

#include <cmath>

#include "dsp/LevelTables.h"

namespace dsp {

float rectify(float d) {
    if (!(std::fabs(d) <= 1.0f)) return std::fabs(d);
    const float d2 = d * d;
    const float d4 = d2 * d2;
    return 2.0f * (d4 * (4.5072875f * d2 - 3.7919977f - 1.9086499f * d4) +
                   (1.6720511f * d2 + 0.015623941f));
}

float envelopeLevelDb(float envelope) {
    // 62 quarterings bring the largest finite float below the table's top; the bound
    // stops an infinite envelope from looping for ever.
    constexpr int kMaxQuarterings = 64;
    float offset = 0.0f;
    for (int n = 0; n < kMaxQuarterings && envelope > levelTables.upperLevel; ++n) {
        envelope = envelope * 0.25f;
        offset = offset + 12.0f;
    }
    float levelDb;
    if (envelope < levelTables.lowerLevel)
        levelDb = -80.0f;
    else if (envelope < levelTables.upperLevel)
        levelDb = levelTables.levelToDb(envelope);
    else
        levelDb = 24.0f;
    return levelDb + offset;
}

float gainCurveOutputDb(float v, const GainCurve& curve) {
    const float w = ((v < curve.kneeTopDb ? v : curve.kneeTopDb) - curve.thresholdDb) * 0.02f;
    const float z = 0.3f * (w * w) + 0.8f * w;
    const float z2 = z * z;
    const float P = ((0.45596167f * z2 - 1.0679327f) * z2 + 0.68190324f) * z2 + 0.16845384f;
    return curve.thresholdDb + 50.0f * z * P;
}

float gainComputerDb(float v, const GainCurve& curve) {
    if (curve.thresholdDb > v) return -0.000001f;
    const float out = gainCurveOutputDb(v, curve);
    return (out - v) * curve.ratioScale - 0.000001f;
}

bool CompressorChannel::isFinite() const {
    float probe = peakEnvelope_ * 0.0f + levelDb_ * 0.0f + gainDb_ * 0.0f;
    for (float s : sidechainState_) probe = probe + s * 0.0f;
    return probe == 0.0f;  // x * 0 is NaN exactly for infinite or NaN x
}

float CompressorChannel::process(float x, const BlockCoefficients& block,
                                 const FixedCoefficients& fixed) {
    const SidechainCoefficients& s = block.sidechainCoefs;
    float* h = sidechainState_;
    const float y = (s.b0 * x + s.b1 * h[0] + s.b2 * h[1] - s.a1 * h[2] - s.a2 * h[3]) * s.inverseA0;
    h[1] = h[0];
    h[0] = x;
    h[3] = h[2];
    h[2] = y;

    const float r = rectify(y * block.inputGain);
    const float envelopeCoef = r > peakEnvelope_ ? fixed.detectorAttackCoef : fixed.detectorReleaseCoef;
    peakEnvelope_ = r + (peakEnvelope_ - r) * envelopeCoef;

    const float L = envelopeLevelDb(peakEnvelope_);
    if (L > levelDb_)
        levelDb_ = L + (levelDb_ - L) * block.attackCoef;
    else if (L < levelDb_)
        levelDb_ = L + (levelDb_ - L) * block.releaseCoef;

    const float g = gainComputerDb(levelDb_, {block.thresholdDb, block.kneeTopDb, block.ratioScale});
    gainDb_ = g < gainDb_ ? g + (gainDb_ - g) * block.attackCoef : g;
    return gainDb_;
}

}  // namespace dsp
