// Ventilation grilles with the glow of the tubes behind them: the left and right grid
// controls. Nine frames from cold (0) to fully glowing (8).
#pragma once

#include <vector>

#include "tools/artwork/Surface.h"

namespace artwork {

// The black housing round a grille window (printed on the background).
void drawGrilleHousing(cairo_t* cr, Box window);

// The frames for the grille at `window` (its place sets the metal's grain).
std::vector<Surface> grilleFrames(Box window);

}  // namespace artwork
