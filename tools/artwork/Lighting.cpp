#include "tools/artwork/Lighting.h"

#include <algorithm>
#include <cmath>

#include "tools/artwork/Shapes.h"

namespace artwork {
namespace {

double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Where the light comes from, as a unit vector from the surface.
Vec3 towardsLight() { return normalise({-0.4, -0.7, 0.75}); }

// Brightness seen in a mirror direction: a broad soft box above and to the left of the
// panel, a dim room elsewhere.
double studio(Vec3 r) {
    const double up = -r.y * 0.85 - r.x * 0.35;
    return 0.06 + 0.94 * smoothstep(0.12, 0.7, up);
}

}  // namespace

Vec3 normalise(Vec3 v) {
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    return {v.x / n, v.y / n, v.z / n};
}

Colour shadeSurface(Vec3 n, const Material& m) {
    const Vec3 light = towardsLight();
    const double diffuse = std::max(0.0, dot(n, light));
    const Vec3 half = normalise({light.x, light.y, light.z + 1.0});
    const double highlight = std::pow(std::max(0.0, dot(n, half)), m.shininess);
    const Vec3 mirror{2 * n.z * n.x, 2 * n.z * n.y, 2 * n.z * n.z - 1};
    return m.albedo * (m.ambient + (1 - m.ambient) * diffuse) +
           m.sheen * (m.specular * highlight + m.reflection * studio(mirror));
}

Colour shadeRelief(Vec3 n, const Material& m) {
    return m.albedo + shadeSurface(n, m) - shadeSurface({0, 0, 1}, m);
}

namespace {

// The whole-pixel area that a shape covers, widened by a margin.
Box shapeBounds(const std::function<void(cairo_t*)>& shape, double margin) {
    Surface probe = makeSurface(1, 1);
    Context p = makeContext(probe.get());
    shape(p.get());
    double x0, y0, x1, y1;
    cairo_fill_extents(p.get(), &x0, &y0, &x1, &y1);
    return {static_cast<int>(std::floor(x0 - margin)), static_cast<int>(std::floor(y0 - margin)),
            static_cast<int>(std::ceil(x1 + margin)), static_cast<int>(std::ceil(y1 + margin))};
}

}  // namespace

void castShadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double height, double softness,
                double opacity) {
    const Box area = shapeBounds(shape, 3 * softness + 2);
    Surface mask = makeSurface(area.width(), area.height());
    {
        Context m = makeContext(mask.get());
        cairo_translate(m.get(), -area.left, -area.top);
        shape(m.get());
        cairo_set_source_rgba(m.get(), 0, 0, 0, opacity);
        cairo_fill(m.get());
    }
    blur(mask.get(), softness);
    paste(cr, mask.get(), area.left + height * kShadowPerHeightX, area.top + height * kShadowPerHeightY);
}

void insetShadow(cairo_t* cr, const std::function<void(cairo_t*)>& shape, double depth, double opacity) {
    const Box area = shapeBounds(shape, 3 * depth + 4);
    // Everything outside the recess, moved down-right by its depth and blurred, falls into it.
    Surface mask = makeSurface(area.width(), area.height());
    {
        Context m = makeContext(mask.get());
        cairo_set_source_rgba(m.get(), 0, 0, 0, opacity);
        cairo_paint(m.get());
        cairo_set_operator(m.get(), CAIRO_OPERATOR_CLEAR);
        cairo_translate(m.get(), -area.left, -area.top);
        shape(m.get());
        cairo_fill(m.get());
    }
    blur(mask.get(), depth * 0.8);
    cairo_save(cr);
    shape(cr);
    cairo_clip(cr);
    paste(cr, mask.get(), area.left + depth * kShadowPerHeightX, area.top + depth * kShadowPerHeightY);
    cairo_restore(cr);
}

}  // namespace artwork
