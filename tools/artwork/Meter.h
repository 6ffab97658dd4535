// The two gain-reduction meters: moving-coil faces behind glass in black housings.
#pragma once

#include <string>
#include <vector>

#include "tools/artwork/Surface.h"

namespace artwork {

// The housing and its caption plate around a meter window (printed on the background).
void drawMeterHousing(cairo_t* cr, Box window, const std::string& caption);

// 131 frames of the face: frame f shows (1 - f / 130) x 25 dB of gain reduction, frame 0 the
// needle far left, frame 130 at 0.
std::vector<Surface> meterFrames();

}  // namespace artwork
