#include "PngImage.h"

#include <cstdint>

namespace artworktest {

PngImage::PngImage(const std::string& path) : surface_(cairo_image_surface_create_from_png(path.c_str())) {}

PngImage::~PngImage() { cairo_surface_destroy(surface_); }

bool PngImage::loaded() const { return cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS; }
int PngImage::width() const { return cairo_image_surface_get_width(surface_); }
int PngImage::height() const { return cairo_image_surface_get_height(surface_); }
bool PngImage::hasAlpha() const { return cairo_image_surface_get_format(surface_) == CAIRO_FORMAT_ARGB32; }

Rgba PngImage::at(int x, int y) const {
    const unsigned char* row =
        cairo_image_surface_get_data(surface_) + static_cast<std::size_t>(y) * cairo_image_surface_get_stride(surface_);
    const std::uint32_t p = reinterpret_cast<const std::uint32_t*>(row)[x];
    const int a = hasAlpha() ? static_cast<int>(p >> 24) : 255;
    const auto straight = [a](std::uint32_t v) { return a == 0 ? 0 : static_cast<int>((v * 255 + a / 2) / a); };
    return {straight((p >> 16) & 255), straight((p >> 8) & 255), straight(p & 255), a};
}

std::string committedImage(const std::string& fileName) {
    return std::string(MARVOLENZIK_RESOURCES_DIR) + "/" + fileName;
}

}  // namespace artworktest
