// The scales printed on the faceplate around each big knob, with caption and unit below.
#pragma once

#include <cairo.h>

#include "tools/artwork/Layout.h"

namespace artwork {

void printDialScale(cairo_t* cr, const layout::KnobPlace& knob);

}  // namespace artwork
