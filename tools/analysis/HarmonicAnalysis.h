// Harmonic content of a periodic signal: the amplitudes of a tone's harmonics and its
// total harmonic distortion, for measurements of the tube stage and of whole plug-ins.
#pragma once

#include <vector>

namespace analysis {

// Amplitudes (peak) of harmonics 1..highest of a tone of `cyclesPerSample` (frequency /
// sample rate); element 0 is unused. `signal` must hold a whole number of the tone's
// periods, so that every harmonic falls on an analysis bin exactly.
std::vector<double> harmonicAmplitudes(const std::vector<double>& signal, double cyclesPerSample,
                                       int highest);

// Root of the summed powers of harmonics 2 and above, relative to the fundamental.
double totalHarmonicDistortion(const std::vector<double>& amplitudes);

}  // namespace analysis
