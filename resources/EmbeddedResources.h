// The images built into the library, by resource number (101 to 110).
#pragma once

#include <cstddef>
#include <cstdint>

struct EmbeddedResource {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
};

// The bytes of a resource, or an empty one for an unknown number.
EmbeddedResource findEmbeddedResource(int32_t resourceId);
