#include "tools/analysis/HarmonicAnalysis.h"

#include <cmath>
#include <numbers>

namespace analysis {

namespace {

// Harmonics from `first` on, every `step`th, relative to the fundamental.
double distortion(const std::vector<double>& amplitudes, std::size_t first, std::size_t step) {
    if (amplitudes.size() < 2 || amplitudes[1] == 0.0) return 0.0;
    double sum = 0.0;
    for (std::size_t h = first; h < amplitudes.size(); h += step) sum += amplitudes[h] * amplitudes[h];
    return std::sqrt(sum) / amplitudes[1];
}

}  // namespace

std::complex<double> toneAt(const std::vector<double>& signal, double cyclesPerSample) {
    const std::size_t n = signal.size();
    if (n == 0) return {};
    double sine = 0.0, cosine = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        // The fractional cycle keeps the phase exact over long signals.
        const double cycle = std::fmod(cyclesPerSample * static_cast<double>(i), 1.0);
        const double phase = 2.0 * std::numbers::pi * cycle;
        sine += signal[i] * std::sin(phase);
        cosine += signal[i] * std::cos(phase);
    }
    const double scale = 2.0 / static_cast<double>(n);
    return {scale * sine, scale * cosine};
}

std::vector<double> harmonicAmplitudes(const std::vector<double>& signal, double cyclesPerSample,
                                       int highest) {
    std::vector<double> amplitude(static_cast<std::size_t>(highest) + 1, 0.0);
    for (int h = 1; h <= highest; ++h) amplitude[static_cast<std::size_t>(h)] = std::abs(toneAt(signal, h * cyclesPerSample));
    return amplitude;
}

double totalHarmonicDistortion(const std::vector<double>& amplitudes) { return distortion(amplitudes, 2, 1); }
double oddHarmonicDistortion(const std::vector<double>& amplitudes) { return distortion(amplitudes, 3, 2); }
double evenHarmonicDistortion(const std::vector<double>& amplitudes) { return distortion(amplitudes, 2, 2); }

}  // namespace analysis
