// Metal plates screwed onto the faceplate: the caption plates, the product nameplate and the
// plates of the switches. Each is raised, bevelled and brushed, and casts a soft shadow.
#pragma once

#include <string>

#include "tools/artwork/Surface.h"
#include "tools/artwork/Text.h"

namespace artwork {

enum class Metal { Aluminium, Brass, Black };

struct PlateShape {
    double x, y, width, height;
    double radius = 3;
};

// Adds the plate's outline to cr's path.
void platePath(cairo_t* cr, const PlateShape& plate);

// The plate with its shadow, in window (or frame) pixels of cr's target.
void drawPlate(cairo_t* cr, const PlateShape& plate, Metal metal);
void drawPlateScrews(cairo_t* cr, const PlateShape& plate, double inset, double radius);

// A raised black bezel `border` pixels wide round a window; what shows in the window is the
// window's own business.
void drawBezel(cairo_t* cr, Box window, double border, double radius);

// Ink of the legends engraved in the bright plates.
constexpr Colour kLegendInk = rgb8(22, 22, 26);

// A bright plate with one engraved legend centred on it.
void drawNameplate(cairo_t* cr, const PlateShape& plate, Metal metal, const std::string& text, TextStyle style);

}  // namespace artwork
