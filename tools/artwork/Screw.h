// Stainless button-head screws with a hex socket, as they hold the faceplate and the plates.
#pragma once

#include <cairo.h>

namespace artwork {

// turn: rotation of the socket in radians, so neighbouring screws do not look stamped.
void drawScrew(cairo_t* cr, double cx, double cy, double radius, double turn);

}  // namespace artwork
