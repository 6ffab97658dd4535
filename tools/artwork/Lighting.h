// One light for the whole panel: a soft key light from the upper left and a broad studio
// reflection above. Every relief, bevel and shadow takes its direction from here.
#pragma once

#include <functional>

#include "tools/artwork/Raster.h"

namespace artwork {

// Screen coordinates: x right, y down, z out of the panel towards the viewer.
struct Vec3 {
    double x, y, z;
};
Vec3 normalise(Vec3 v);

// How far a shadow moves on the panel per pixel of height above it.
constexpr double kShadowPerHeightX = 0.35;
constexpr double kShadowPerHeightY = 0.6;

struct Material {
    Colour albedo;            // colour under full diffuse light
    double ambient = 0.25;    // light that reaches every face
    double specular = 0.3;    // strength of the key light's highlight
    double shininess = 30;    // tightness of that highlight
    double reflection = 0.1;  // strength of the studio reflection
    Colour sheen{1, 1, 1};    // tint of highlights and reflections
};

// Colour of a surface with the given unit normal.
Colour shadeSurface(Vec3 normal, const Material& material);
// For metal whose albedo already carries its light: the albedo plus only the change in light
// that tilting it from facing the viewer to `normal` brings (its rims and bevels).
Colour shadeRelief(Vec3 normal, const Material& material);

// Paints the soft shadow of whatever `shape` fills (as a path, at full opacity) when it
// stands `height` pixels above the surface of cr's target.
void castShadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double height, double softness,
                double opacity);

// A recess cut into a surface: shade along the upper-left inner walls, a lit lower-right lip.
void insetShadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double depth, double opacity);

}  // namespace artwork
