// The amplitude spectrum of a stretch of signal, through a Blackman-Harris window (sidelobes
// 92 dB down), for finding partials far below a tone: a tone of amplitude A centred on a bin
// shows A in that bin.
#pragma once

#include <cstddef>
#include <vector>

namespace analysis {

// `signal.size()` must be a power of two; answers size / 2 + 1 bins, bin k at k / size
// cycles per sample.
std::vector<double> amplitudeSpectrum(const std::vector<double>& signal);

// The window's equivalent noise bandwidth in bins: the summed squares of the bins a tone
// fills, divided by this, give its squared amplitude.
inline constexpr double kWindowNoiseBandwidth = 2.0044;
// Bins either side of a tone's centre that its main lobe (and the nearest sidelobes) fill.
inline constexpr std::size_t kToneHalfWidth = 8;

}  // namespace analysis
