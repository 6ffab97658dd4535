// Harmonic distortion against level and frequency, and aliasing: what a high sine leaves
// between its harmonics.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "tools/analysis/HarmonicAnalysis.h"
#include "tools/analysis/WindowedFft.h"
#include "tools/measure/Measure.h"

namespace measure {

namespace {

constexpr int kHighestHarmonic = 10;

DistortionPoint distortionOf(const std::vector<double>& output, double cyclesPerSample, double at) {
    const std::vector<double> harmonics = analysis::harmonicAmplitudes(output, cyclesPerSample, kHighestHarmonic);
    DistortionPoint point{at, decibels(harmonics[1]), 100.0 * analysis::totalHarmonicDistortion(harmonics),
                          100.0 * analysis::oddHarmonicDistortion(harmonics),
                          100.0 * analysis::evenHarmonicDistortion(harmonics), {}};
    for (int h = 2; h <= kHighestHarmonic; ++h)
        point.harmonicsDbc[static_cast<std::size_t>(h)] = decibels(harmonics[static_cast<std::size_t>(h)] / harmonics[1]);
    return point;
}

}  // namespace

std::vector<DistortionPoint> measureDistortionByLevel(const ProbeFactory& make, double rate, double hertz) {
    // As `tone` measures: a second to settle, a second analysed.
    constexpr double kSettleSeconds = 1.0, kWindowSeconds = 1.0;
    const auto probe = make(rate);
    std::vector<DistortionPoint> points;
    for (int level = -40; level <= 0; level += 5) {
        char stage[64];
        std::snprintf(stage, sizeof stage, "the distortion at %d dBFS", level);
        probe->setStage(stage);
        const double amplitude = std::pow(10.0, level / 20.0);
        probe->playSine(amplitude, hertz, kSettleSeconds);
        points.push_back(distortionOf(probe->playSine(amplitude, hertz, kWindowSeconds), hertz / rate, level));
    }
    return points;
}

std::vector<DistortionPoint> measureDistortionByFrequency(const ProbeFactory& make, double rate, double levelDbfs) {
    constexpr double kSettleSeconds = 0.5, kWindowSeconds = 0.1;
    const double amplitude = std::pow(10.0, levelDbfs / 20.0);
    const auto probe = make(rate);
    std::vector<DistortionPoint> points;
    // Up to where the tenth harmonic still lies below half the rate.
    for (const double hertz : sweepFrequencies(rate, rate / (2.0 * kHighestHarmonic))) {
        char stage[64];
        std::snprintf(stage, sizeof stage, "the distortion at %.0f Hz", hertz);
        probe->setStage(stage);
        probe->playSine(amplitude, hertz, kSettleSeconds);
        points.push_back(distortionOf(probe->playSine(amplitude, hertz, kWindowSeconds), hertz / rate, hertz));
    }
    return points;
}

Aliasing measureAliasing(const ProbeFactory& make, double rate) {
    constexpr double kLevelDbfs = -10.0, kSettleSeconds = 0.2;
    constexpr double kLowestHertz = 20.0;  // below this, DC and the plug-in's own rumble
    // About two thirds of a second, a power of two long.
    std::size_t n = 1;
    while (static_cast<double>(n) < 0.6 * rate) n <<= 1;
    const double binHertz = rate / static_cast<double>(n);
    const auto probe = make(rate);
    Aliasing aliasing{rate, {}};
    for (int kilohertz = 5; kilohertz <= 18; ++kilohertz) {
        // Centred on a bin, as are then all its harmonics.
        const std::size_t toneBin = static_cast<std::size_t>(std::lround(1000.0 * kilohertz / binHertz));
        const double hertz = static_cast<double>(toneBin) * binHertz;
        char stage[80];
        std::snprintf(stage, sizeof stage, "the aliasing of %d kHz at %.0f Hz", kilohertz, rate);
        probe->setStage(stage);
        probe->playSine(std::pow(10.0, kLevelDbfs / 20.0), hertz, kSettleSeconds);
        const std::vector<double> output =
            probe->playSine(std::pow(10.0, kLevelDbfs / 20.0), hertz, static_cast<double>(n) / rate);
        const std::vector<double> spectrum = analysis::amplitudeSpectrum(output);
        std::vector<bool> harmonic(spectrum.size(), false);
        const auto mark = [&](std::size_t centre) {
            const std::size_t from = centre > analysis::kToneHalfWidth ? centre - analysis::kToneHalfWidth : 0;
            for (std::size_t k = from; k <= centre + analysis::kToneHalfWidth && k < spectrum.size(); ++k) harmonic[k] = true;
        };
        for (std::size_t k = toneBin; k < spectrum.size(); k += toneBin) mark(k);
        for (std::size_t k = 0; k * binHertz < kLowestHertz; ++k) mark(k);
        const double fundamental = spectrum[toneBin];
        double worst = 0.0, power = 0.0;
        for (std::size_t k = 0; k < spectrum.size(); ++k) {
            if (harmonic[k]) continue;
            worst = std::max(worst, spectrum[k]);
            power += spectrum[k] * spectrum[k];
        }
        aliasing.points.push_back({hertz, decibels(worst / fundamental),
                                   decibels(std::sqrt(power / analysis::kWindowNoiseBandwidth) / fundamental)});
    }
    return aliasing;
}

}  // namespace measure
