// Harmonic content of a periodic signal: the amplitudes of a tone's harmonics and its
// total harmonic distortion, for measurements of the tube stage and of whole plug-ins.
#pragma once

#include <complex>
#include <vector>

namespace analysis {

// The complex amplitude (peak, sine phase: A sin(wt + phi) gives A e^{j phi}) of the
// component of `cyclesPerSample` (frequency / sample rate). `signal` must hold a whole
// number of its periods, so that it falls on an analysis bin exactly.
std::complex<double> toneAt(const std::vector<double>& signal, double cyclesPerSample);

// Amplitudes (peak) of harmonics 1..highest of a tone of `cyclesPerSample`; element 0 is
// unused. `signal` must hold a whole number of the tone's periods.
std::vector<double> harmonicAmplitudes(const std::vector<double>& signal, double cyclesPerSample,
                                       int highest);

// Root of the summed powers of harmonics 2 and above, relative to the fundamental.
double totalHarmonicDistortion(const std::vector<double>& amplitudes);
// The same of the odd (3, 5, ...) or the even (2, 4, ...) harmonics alone.
double oddHarmonicDistortion(const std::vector<double>& amplitudes);
double evenHarmonicDistortion(const std::vector<double>& amplitudes);

}  // namespace analysis
