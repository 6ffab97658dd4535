#include "tools/analysis/WindowedFft.h"

#include <cmath>
#include <complex>
#include <numbers>
#include <stdexcept>
#include <utility>

namespace analysis {

namespace {

// In place, radix 2, decimation in time.
void fourierTransform(std::vector<std::complex<double>>& x) {
    const std::size_t n = x.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1) j ^= bit;
        j ^= bit;
        if (i < j) std::swap(x[i], x[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const double angle = -2.0 * std::numbers::pi / static_cast<double>(length);
        for (std::size_t start = 0; start < n; start += length) {
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<double> twiddle = std::polar(1.0, angle * static_cast<double>(k));
                const std::complex<double> odd = twiddle * x[start + k + length / 2];
                x[start + k + length / 2] = x[start + k] - odd;
                x[start + k] += odd;
            }
        }
    }
}

}  // namespace

std::vector<double> amplitudeSpectrum(const std::vector<double>& signal) {
    const std::size_t n = signal.size();
    if (n < 2 || (n & (n - 1)) != 0) throw std::invalid_argument("amplitudeSpectrum needs a power-of-two length");
    // Four-term Blackman-Harris; its coherent gain is a0.
    constexpr double a0 = 0.35875, a1 = 0.48829, a2 = 0.14128, a3 = 0.01168;
    std::vector<std::complex<double>> x(n);
    for (std::size_t i = 0; i < n; ++i) {
        const double phase = 2.0 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n);
        const double window = a0 - a1 * std::cos(phase) + a2 * std::cos(2 * phase) - a3 * std::cos(3 * phase);
        x[i] = signal[i] * window;
    }
    fourierTransform(x);
    std::vector<double> amplitude(n / 2 + 1);
    const double scale = 2.0 / (a0 * static_cast<double>(n));
    for (std::size_t k = 0; k < amplitude.size(); ++k) amplitude[k] = scale * std::abs(x[k]);
    return amplitude;
}

}  // namespace analysis
