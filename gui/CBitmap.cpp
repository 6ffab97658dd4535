#include "gui/CBitmap.h"

#include "gui/platform/PlatformBitmap.h"
#include "gui/platform/ResourceImages.h"

namespace VSTGUI {

CBitmap::CBitmap(int32_t resourceId) : resourceId(resourceId) {
    int32_t w = 0;
    int32_t h = 0;
    if (platform::resourceImageSize(resourceId, w, h)) {
        width = w;
        height = h;
    }
}

CBitmap::CBitmap(std::shared_ptr<platform::PlatformBitmap> decoded) : pixels(std::move(decoded)) {
    if (pixels) {
        width = pixels->getWidth();
        height = pixels->getHeight();
    }
}

CBitmap::~CBitmap() = default;

platform::PlatformBitmap* CBitmap::getPlatformBitmap() {
    if (!pixels && resourceId >= 0 && width > 0) pixels = platform::resourceImage(resourceId);
    return pixels.get();
}

}  // namespace VSTGUI
