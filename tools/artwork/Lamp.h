// Jewel pilot lamps: a faceted glass lens in a chrome bezel, dark or lit.
#pragma once

#include <cairo.h>

#include "tools/artwork/Raster.h"

namespace artwork {

// glass: the lens colour when lit; radius: the bezel's outer radius.
void drawLamp(cairo_t* cr, double cx, double cy, double radius, Colour glass, bool lit);

}  // namespace artwork
