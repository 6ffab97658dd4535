#include "tools/analysis/HarmonicAnalysis.h"

#include <cmath>
#include <numbers>

namespace analysis {

std::vector<double> harmonicAmplitudes(const std::vector<double>& signal, double cyclesPerSample,
                                       int highest) {
    const std::size_t n = signal.size();
    std::vector<double> amplitude(static_cast<std::size_t>(highest) + 1, 0.0);
    if (n == 0) return amplitude;
    for (int h = 1; h <= highest; ++h) {
        double re = 0.0, im = 0.0;
        for (std::size_t i = 0; i < n; ++i) {
            // The fractional cycle keeps the phase exact over long signals.
            const double cycle = std::fmod(h * cyclesPerSample * static_cast<double>(i), 1.0);
            const double phase = 2.0 * std::numbers::pi * cycle;
            re += signal[i] * std::cos(phase);
            im += signal[i] * std::sin(phase);
        }
        amplitude[h] = 2.0 * std::hypot(re, im) / static_cast<double>(n);
    }
    return amplitude;
}

double totalHarmonicDistortion(const std::vector<double>& amplitudes) {
    if (amplitudes.size() < 2 || amplitudes[1] == 0.0) return 0.0;
    double sum = 0.0;
    for (std::size_t h = 2; h < amplitudes.size(); ++h) sum += amplitudes[h] * amplitudes[h];
    return std::sqrt(sum) / amplitudes[1];
}

}  // namespace analysis
