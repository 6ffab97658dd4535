// A picture, usually one of the PNG images embedded in the library. Its size is known at
// once (from the image header); its pixels are decoded when first drawn, once per process
// for all bitmaps of the same image. A missing image gives a 0 x 0 bitmap that draws nothing.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/CBaseObject.h"
#include "gui/CRect.h"

namespace VSTGUI {

namespace platform {
class PlatformBitmap;
}

class CBitmap : public CBaseObject {
public:
    // An embedded image by resource number.
    explicit CBitmap(int32_t resourceId);
    // Pixels made elsewhere (tests, generated images).
    explicit CBitmap(std::shared_ptr<platform::PlatformBitmap> pixels);

    double getWidth() const { return width; }
    double getHeight() const { return height; }
    // The decoded pixels, or null for a bitmap without an image.
    platform::PlatformBitmap* getPlatformBitmap();

private:
    ~CBitmap() override;

    int32_t resourceId = -1;
    double width = 0.0;
    double height = 0.0;
    std::shared_ptr<platform::PlatformBitmap> pixels;
};

}  // namespace VSTGUI
