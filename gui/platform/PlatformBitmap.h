// Decoded pixels that a drawing back end can draw. The toolkit's bitmaps share them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace VSTGUI::platform {

class PlatformBitmap {
public:
    virtual ~PlatformBitmap() = default;
    virtual int32_t getWidth() const = 0;
    virtual int32_t getHeight() const = 0;
};

// Decodes PNG bytes; null when they are not a PNG image.
std::shared_ptr<PlatformBitmap> decodePng(const unsigned char* data, std::size_t size);

}  // namespace VSTGUI::platform
