// The plates of the three switches: POWER (a blue lamp), AG (a red lamp over a toggle) and
// SIDECHAIN (a three-position lever). Drawn in window coordinates; a frame is the faceplate
// under the plate's rectangle with the plate in one of its states on it.
#pragma once

#include <functional>
#include <vector>

#include "tools/artwork/Surface.h"

namespace artwork {

void paintPowerPlate(cairo_t* cr, bool on);
void paintAutoGainPlate(cairo_t* cr, bool on);
// position 0 OFF (lever down), 1 100 Hz (middle), 2 200 Hz (up)
void paintSidechainPlate(cairo_t* cr, int position);

// One frame per state: the faceplate's pixels under `rect` with paint(cr, state) over them.
std::vector<Surface> plateFrames(cairo_surface_t* faceplate, Box rect, int states,
                                 const std::function<void(cairo_t*, int)>& paint);

}  // namespace artwork
