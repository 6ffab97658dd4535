// Test signals written into a plug-in's input channels, and what the checks require of
// the output that comes back.
#pragma once

#include <string>

#include "tools/validator/AudioBuffers.h"
#include "tools/validator/Random.h"

namespace validator {

enum class Signal {
    Silence,
    Noise,          // full-scale white noise, independent per channel
    QuietNoise,     // the same at -20 dBFS
    Dc,             // +1 on every channel
    Impulses,       // 1 at every 1000th frame, 0 elsewhere
    Subnormals,     // random subnormal numbers of either sign
    NotANumber,     // quiet NaN
    PlusInfinity,
    MinusInfinity,
};

const char* signalName(Signal signal);

// Fills frames [0, frames) of every input channel; `position` is the frame's index in
// the whole stream, so that impulses keep their spacing across blocks.
void fillInputs(AudioBuffers& buffers, Signal signal, int frames, long position, Random& random);
// The same with the noise at -20 dBFS most checks play, which needs no position.
void fillQuietNoise(AudioBuffers& buffers, int frames, Random& random);

// The loudest output a plug-in may give for finite input within 0 dBFS: +24 dBFS, far
// beyond any sane make-up gain, well below a burst that hurts.
constexpr float kOutputCeiling = 15.848932f;

struct OutputScan {
    long nonFinite = 0;
    long subnormal = 0;
    float peak = 0.0f;
    int firstNonFinite = -1;  // frame
};

OutputScan scanOutputs(const AudioBuffers& buffers, int frames);

// Empty when the block's output is finite, free of subnormal numbers and below the
// ceiling; otherwise what is wrong.
std::string saneOutputProblem(const OutputScan& scan);
// Fails the check, naming `situation`, unless the output is finite and free of subnormal
// numbers. No ceiling: that holds at the default settings only, and this serves output
// whatever the parameters are.
void requireFinite(const OutputScan& scan, const std::string& situation);

}  // namespace validator
