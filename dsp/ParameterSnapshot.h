// The parameter values the signal path reads at the start of each block.
#pragma once

#include "effect/Parameters.h"

namespace dsp {

// The eleven parameter values that act on the sound, in parameter-index order,
// normalised and unclamped, read once at the start of a block.
struct ParameterSnapshot {
    using Index = parameter::Index;
    static constexpr int kCount = parameter::kActiveCount;
    float values[kCount];
};

}  // namespace dsp
