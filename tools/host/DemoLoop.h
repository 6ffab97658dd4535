// The built-in material for `render` without an input file and for `bench`: a two-bar
// groove of drums and bass at 120 beats per minute, repeated for the length asked.
// The same arguments always give the same samples.
#pragma once

#include "tools/host/StereoStream.h"

namespace vsthost {

inline constexpr double kDemoLoopSeconds = 20.0;
inline constexpr double kDemoLoopSampleRate = 48000.0;

// Peaks at -1 dBFS.
StereoBuffer synthesiseDemoLoop(double sampleRate, double seconds);

}  // namespace vsthost
