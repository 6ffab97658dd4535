// Decoded pixels on Windows: premultiplied 32-bit BGRA, as both GDI+ and Direct2D draw them,
// decoded from PNG with the Windows Imaging Component.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "gui/platform/PlatformBitmap.h"

namespace VSTGUI::platform {

class WicBitmap : public PlatformBitmap {
public:
    WicBitmap(int32_t width, int32_t height, std::vector<uint32_t> pixels)
        : width(width), height(height), pixels(std::move(pixels)) {}

    int32_t getWidth() const override { return width; }
    int32_t getHeight() const override { return height; }
    // Row after row, `width` pixels each.
    const uint32_t* data() const { return pixels.data(); }
    int32_t stride() const { return width * 4; }

    // Copies of the pixels a drawing back end made on one of its devices, by the device's
    // number (never reused); they go with the pixels.
    std::map<uint64_t, std::shared_ptr<void>>& deviceCopies() const { return copies; }

private:
    mutable std::map<uint64_t, std::shared_ptr<void>> copies;
    int32_t width, height;
    std::vector<uint32_t> pixels;
};

}  // namespace VSTGUI::platform
