// The tube stage's rates: the circuit runs at a fixed 192 kHz, reached from the host rate
// by zero-stuffing to four times that rate, a lowpass and a polynomial resampler.
#pragma once

namespace dsp {

inline constexpr int kOversampling = 4;  // sub-steps per host sample
inline constexpr int kInternalRate = 192000;

}  // namespace dsp
