// Fixtures on the black bands above and below the faceplate, behind what the editor draws
// there at run time: key caps under the preset buttons' titles, a well with a scale round
// the dry/wet knob, and a dark window for the read-out line.
#pragma once

#include <cairo.h>

namespace artwork {

void drawBandFixtures(cairo_t* cr);

}  // namespace artwork
