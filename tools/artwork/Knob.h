// The big film-strip knobs: black, bevelled, knurled, with a white pointer. The light and
// its highlights stay put while the pointer, the knurling and the index turn.
#pragma once

#include <vector>

#include "tools/artwork/Surface.h"

namespace artwork {

// The knob's outer radius in pixels, which the printed dial around it has to clear.
constexpr double kKnobSkirtRadius = 45;

enum class KnobFinish {
    Plain,  // black cap, black skirt
    Ringed  // a satin nickel ring round the top face, for the output-side knobs
};

// The 131 frames of a knob strip, frame f at value f / 130.
std::vector<Surface> knobFrames(KnobFinish finish);

}  // namespace artwork
