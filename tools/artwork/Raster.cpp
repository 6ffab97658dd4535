#include "tools/artwork/Raster.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace artwork {
namespace {

std::uint32_t toByte(double v) { return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); }

// One box pass of the given radius along rows or columns.
void boxPass(std::vector<double>& channel, int width, int height, int radius, bool alongRows) {
    const int length = alongRows ? width : height;
    const int lines = alongRows ? height : width;
    std::vector<double> line(length), prefix(length + 1);
    for (int l = 0; l < lines; ++l) {
        auto index = [&](int i) {
            return alongRows ? static_cast<std::size_t>(l) * width + i : static_cast<std::size_t>(i) * width + l;
        };
        prefix[0] = 0;
        for (int i = 0; i < length; ++i) prefix[i + 1] = prefix[i] + channel[index(i)];
        for (int i = 0; i < length; ++i) {
            const int a = std::max(0, i - radius), b = std::min(length, i + radius + 1);
            // Outside the image counts as empty, so edges fade like everywhere else.
            line[i] = (prefix[b] - prefix[a]) / (2 * radius + 1);
        }
        for (int i = 0; i < length; ++i) channel[index(i)] = line[i];
    }
}

}  // namespace

Colour mix(Colour a, Colour b, double t) { return a + (b - a) * t; }

Box squareAround(double cx, double cy, int size) {
    const int left = static_cast<int>(std::floor(cx)) - size / 2, top = static_cast<int>(std::floor(cy)) - size / 2;
    return {left, top, left + size, top + size};
}

Surface Raster::toSurface(bool opaque) const {
    Surface s = makeSurface(width_, height_, opaque);
    cairo_surface_flush(s.get());
    const int stride = cairo_image_surface_get_stride(s.get());
    unsigned char* data = cairo_image_surface_get_data(s.get());
    for (int y = 0; y < height_; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride);
        for (int x = 0; x < width_; ++x) {
            const Pixel& p = at(x, y);
            const double a = opaque ? 1.0 : std::clamp(p.a, 0.0, 1.0);
            // Premultiplied components never exceed their coverage.
            row[x] = toByte(a) << 24 | toByte(std::min(p.r, a)) << 16 | toByte(std::min(p.g, a)) << 8 |
                     toByte(std::min(p.b, a));
        }
    }
    cairo_surface_mark_dirty(s.get());
    return s;
}

void blur(cairo_surface_t* image, double radius) {
    if (radius <= 0) return;
    cairo_surface_flush(image);
    const int w = cairo_image_surface_get_width(image), h = cairo_image_surface_get_height(image);
    const int stride = cairo_image_surface_get_stride(image);
    unsigned char* data = cairo_image_surface_get_data(image);
    // Three box passes of radius r approximate a Gaussian of deviation sqrt(r (r + 1)).
    const int box = std::max(1, static_cast<int>(std::lround(radius / std::sqrt(2.0))));
    const bool opaque = cairo_image_surface_get_format(image) == CAIRO_FORMAT_RGB24;
    auto pixel = [&](int x, int y) -> std::uint32_t& {
        return reinterpret_cast<std::uint32_t*>(data + static_cast<std::size_t>(y) * stride)[x];
    };
    std::vector<std::vector<double>> channels(4, std::vector<double>(static_cast<std::size_t>(w) * h));
    for (int c = 0; c < 4; ++c) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                channels[c][static_cast<std::size_t>(y) * w + x] =
                    c == 3 && opaque ? 255.0 : (pixel(x, y) >> (8 * c)) & 255;
        for (int pass = 0; pass < 3; ++pass) {
            boxPass(channels[c], w, h, box, true);
            boxPass(channels[c], w, h, box, false);
        }
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * w + x;
            const double a = std::clamp(channels[3][i], 0.0, 255.0);
            std::uint32_t p = static_cast<std::uint32_t>(std::lround(a)) << 24;
            for (int c = 0; c < 3; ++c)  // premultiplied: never above the coverage
                p |= static_cast<std::uint32_t>(std::lround(std::clamp(channels[c][i], 0.0, a))) << (8 * c);
            pixel(x, y) = p;
        }
    cairo_surface_mark_dirty(image);
}

}  // namespace artwork
