// Floating-point pixel buffers for the parts of the artwork that are shaded pixel by pixel
// (materials, lit relief, glows), and their conversion to cairo images.
#pragma once

#include <vector>

#include "tools/artwork/Surface.h"

namespace artwork {

// A colour with components 0 to 1 in the image's (sRGB) encoding.
struct Colour {
    double r = 0, g = 0, b = 0;
    Colour operator+(Colour o) const { return {r + o.r, g + o.g, b + o.b}; }
    Colour operator-(Colour o) const { return {r - o.r, g - o.g, b - o.b}; }
    Colour operator*(double k) const { return {r * k, g * k, b * k}; }
};
Colour mix(Colour a, Colour b, double t);
// 8-bit components, as designers write colours.
constexpr Colour rgb8(int r, int g, int b) { return {r / 255.0, g / 255.0, b / 255.0}; }

// A premultiplied colour with coverage.
struct Pixel {
    double r = 0, g = 0, b = 0, a = 0;
    static Pixel opaque(Colour c) { return {c.r, c.g, c.b, 1.0}; }
    Pixel& operator+=(Pixel o) {
        r += o.r, g += o.g, b += o.b, a += o.a;
        return *this;
    }
    // this drawn over what lies below
    Pixel over(Pixel below) const {
        const double k = 1.0 - a;
        return {r + below.r * k, g + below.g * k, b + below.b * k, a + below.a * k};
    }
};

class Raster {
public:
    Raster(int width, int height) : width_(width), height_(height), pixels_(static_cast<std::size_t>(width) * height) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Pixel& at(int x, int y) { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    const Pixel& at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }

    Surface toSurface(bool opaque) const;

    // Fills every pixel with the mean of n x n samples of shade(x, y), taken at evenly
    // spaced points inside the pixel (pixel (i, j) spans i..i+1, j..j+1).
    template <class Shade>
    void shade(int n, Shade&& shadeAt) {
        const double weight = 1.0 / (n * n);
        for (int y = 0; y < height_; ++y)
            for (int x = 0; x < width_; ++x) {
                Pixel sum;
                for (int sy = 0; sy < n; ++sy)
                    for (int sx = 0; sx < n; ++sx) sum += shadeAt(x + (sx + 0.5) / n, y + (sy + 0.5) / n);
                at(x, y) = {sum.r * weight, sum.g * weight, sum.b * weight, sum.a * weight};
            }
    }

private:
    int width_, height_;
    std::vector<Pixel> pixels_;
};

// A square of size x size whole pixels round (cx, cy).
Box squareAround(double cx, double cy, int size);

// A part drawn by shading: fills `area` of cr's target as Raster::shade does, with shadeAt
// taking cr's coordinates, and draws it over what lies there.
template <class Shade>
void paintShaded(cairo_t* cr, Box area, int n, Shade&& shadeAt) {
    Raster part(area.width(), area.height());
    part.shade(n, [&](double x, double y) { return shadeAt(area.left + x, area.top + y); });
    paste(cr, part.toSurface(false).get(), area.left, area.top);
}

// Gaussian-like blur of every channel (three box passes), for soft shadows and glows.
void blur(cairo_surface_t* image, double radius);

}  // namespace artwork
