#include "tools/host/SignalLevels.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vsthost {

namespace {

double decibels(double amplitude) {
    return amplitude > 0.0 ? 20.0 * std::log10(amplitude)
                           : -std::numeric_limits<double>::infinity();
}

}  // namespace

void SignalLevels::add(const float* left, const float* right, int frames) {
    for (int i = 0; i < frames; ++i) {
        peak_ = std::max({peak_, std::fabs(left[i]), std::fabs(right[i])});
        sumOfSquares_ +=
            static_cast<double>(left[i]) * left[i] + static_cast<double>(right[i]) * right[i];
    }
    samples_ += 2 * static_cast<std::int64_t>(frames);
}

double SignalLevels::peakDb() const { return decibels(peak_); }

double SignalLevels::rmsDb() const {
    return decibels(samples_ ? std::sqrt(sumOfSquares_ / static_cast<double>(samples_)) : 0.0);
}

}  // namespace vsthost
