// The window's ground: a black powder-coated surround and the blue faceplate on it.
#pragma once

#include <cairo.h>

namespace artwork {

// Paints the whole window: surround, faceplate with its bevel and shadow, corner screws.
void paintPanel(cairo_t* cr);

}  // namespace artwork
