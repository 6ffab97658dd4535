// The parameter values the signal path reads at the start of each block.
#pragma once

namespace dsp {

// The eleven parameter values that act on the sound, in parameter-index order,
// normalised and unclamped, read once at the start of a block.
struct ParameterSnapshot {
    enum Index {
        kGain,
        kVolume,
        kAttack,
        kRelease,
        kRatio,
        kLeftGrid,
        kRightGrid,
        kDryWet,
        kPower,
        kAutogain,  // not read by the signal path
        kSidechain,
        kCount
    };
    float values[kCount];
};

}  // namespace dsp
