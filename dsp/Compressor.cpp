#include "dsp/Compressor.h"

#include "dsp/LevelTables.h"

namespace dsp {

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

template <class Sample>
Sample envelopeLevelDb(Sample envelope) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample upper = c(levelTables.upperLevel);
    // 62 quarterings bring the largest finite float below the table's top; the bound
    // stops an infinite envelope from looping for ever.
    constexpr int kMaxQuarterings = 64;
    Sample offset{};
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

template <class Sample>
Sample gainCurveOutputDb(Sample v, const GainCurve& curve) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample knee = c(curve.kneeTopDb), threshold = c(curve.thresholdDb);
    const Sample w = (select(v < knee, v, knee) - threshold) * c(0.02f);
    const Sample z = c(0.3f) * (w * w) + c(0.8f) * w;
    const Sample z2 = z * z;
    const Sample P =
        ((c(0.45596167f) * z2 - c(1.0679327f)) * z2 + c(0.68190324f)) * z2 + c(0.16845384f);
    return threshold + c(50.0f) * z * P;
}

template <class Sample>
Sample gainComputerDb(Sample v, const GainCurve& curve) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample out = gainCurveOutputDb(v, curve);
    return select(c(curve.thresholdDb) > v, c(-0.000001f),
                  (out - v) * c(curve.ratioScale) - c(0.000001f));
}

template <class Sample>
bool Compressor<Sample>::isFinite() const {
    const Sample states[] = {peakEnvelope_, levelDb_, gainDb_};
    return sidechain_.isFinite() && allFinite(states);
}

template <class Sample>
Sample Compressor<Sample>::process(Sample x, const BlockCoefficients& block,
                                   const FixedCoefficients& fixed) {
    const auto c = [](float value) { return constant<Sample>(value); };
    const Sample y = sidechain_.process(x, block.sidechain);

    const Sample r = rectify(y * c(block.inputGain));
    const Sample envelopeCoef =
        select(r > peakEnvelope_, c(fixed.detectorAttackCoef), c(fixed.detectorReleaseCoef));
    peakEnvelope_ = r + (peakEnvelope_ - r) * envelopeCoef;

    // Rises with the attack, falls with the release, holds where equal (or NaN).
    const Sample L = envelopeLevelDb(peakEnvelope_);
    levelDb_ = select(L > levelDb_, L + (levelDb_ - L) * c(block.attackCoef),
                      select(L < levelDb_, L + (levelDb_ - L) * c(block.releaseCoef), levelDb_));

    const Sample g =
        gainComputerDb(levelDb_, {block.thresholdDb, block.kneeTopDb, block.ratioScale});
    gainDb_ = select(g < gainDb_, g + (gainDb_ - g) * c(block.attackCoef), g);
    return gainDb_;
}

template float rectify(float);
template Float4 rectify(Float4);
template float envelopeLevelDb(float);
template Float4 envelopeLevelDb(Float4);
template float gainCurveOutputDb(float, const GainCurve&);
template float gainComputerDb(float, const GainCurve&);
template class Compressor<float>;
template class Compressor<Float4>;

}  // namespace dsp
