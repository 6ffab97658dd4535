// The PNG images embedded in the library, by resource number. Each is decoded once and
// shared while anything uses it.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/platform/PlatformBitmap.h"

namespace VSTGUI::platform {

// Width and height from the image header, without decoding; false for an unknown number
// or bytes that are not a PNG image.
bool resourceImageSize(int32_t resourceId, int32_t& width, int32_t& height);

// The decoded image; null when there is none.
std::shared_ptr<PlatformBitmap> resourceImage(int32_t resourceId);

}  // namespace VSTGUI::platform
