#include "gui/platform/ResourceImages.h"

#include <map>
#include <mutex>

#include "resources/EmbeddedResources.h"

namespace VSTGUI::platform {
namespace {

// Big-endian 32-bit number inside the PNG header.
int32_t readBigEndian(const unsigned char* p) {
    return static_cast<int32_t>((uint32_t{p[0]} << 24) | (uint32_t{p[1]} << 16) |
                                (uint32_t{p[2]} << 8) | uint32_t{p[3]});
}

}  // namespace

bool resourceImageSize(int32_t resourceId, int32_t& width, int32_t& height) {
    const EmbeddedResource resource = findEmbeddedResource(resourceId);
    // Signature (8 bytes), then the IHDR chunk: length, type, width, height.
    static const unsigned char signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    if (resource.size < 24) return false;
    for (int i = 0; i < 8; ++i)
        if (resource.data[i] != signature[i]) return false;
    if (resource.data[12] != 'I' || resource.data[13] != 'H' || resource.data[14] != 'D' ||
        resource.data[15] != 'R')
        return false;
    width = readBigEndian(resource.data + 16);
    height = readBigEndian(resource.data + 20);
    return width > 0 && height > 0;
}

std::shared_ptr<PlatformBitmap> resourceImage(int32_t resourceId) {
    // Several editors (instances) draw the same images; the knob strips alone are 13 MB
    // decoded, so they are shared while any bitmap holds them.
    static std::mutex cacheMutex;
    static std::map<int32_t, std::weak_ptr<PlatformBitmap>> cache;
    std::lock_guard lock(cacheMutex);
    std::weak_ptr<PlatformBitmap>& entry = cache[resourceId];
    if (auto shared = entry.lock()) return shared;
    const EmbeddedResource resource = findEmbeddedResource(resourceId);
    auto decoded = resource.data ? decodePng(resource.data, resource.size) : nullptr;
    entry = decoded;
    return decoded;
}

}  // namespace VSTGUI::platform
