#include "gui/platform/cairo/CairoBitmap.h"

#include <cstring>

namespace VSTGUI::platform {
namespace {

struct ByteReader {
    const unsigned char* data;
    std::size_t size;
    std::size_t position = 0;
};

cairo_status_t readBytes(void* closure, unsigned char* out, unsigned int length) {
    auto* reader = static_cast<ByteReader*>(closure);
    if (length > reader->size - reader->position) return CAIRO_STATUS_READ_ERROR;
    std::memcpy(out, reader->data + reader->position, length);
    reader->position += length;
    return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::shared_ptr<PlatformBitmap> decodePng(const unsigned char* data, std::size_t size) {
    if (!data || size == 0) return nullptr;
    ByteReader reader{data, size};
    cairo_surface_t* surface = cairo_image_surface_create_from_png_stream(readBytes, &reader);
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    return std::make_shared<CairoBitmap>(surface);
}

}  // namespace VSTGUI::platform
