// A PNG read with cairo, with straight (not premultiplied) 8-bit access to its pixels.
#pragma once

#include <cairo.h>

#include <string>

namespace artworktest {

struct Rgba {
    int r, g, b, a;
    double luminance() const { return 0.2126 * r + 0.7152 * g + 0.0722 * b; }
};

class PngImage {
public:
    explicit PngImage(const std::string& path);
    ~PngImage();
    PngImage(const PngImage&) = delete;
    PngImage& operator=(const PngImage&) = delete;

    bool loaded() const;
    int width() const;
    int height() const;
    bool hasAlpha() const;
    Rgba at(int x, int y) const;

private:
    cairo_surface_t* surface_;
};

// Where the committed images live in the source tree.
std::string committedImage(const std::string& fileName);

}  // namespace artworktest
