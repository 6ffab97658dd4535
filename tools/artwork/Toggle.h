// Chrome bat-handle toggle switches on a hex nut.
#pragma once

#include <cairo.h>

namespace artwork {

// lean: -1 lever up, 0 straight out of the panel, +1 down.
void drawToggle(cairo_t* cr, double cx, double cy, int lean);

}  // namespace artwork
