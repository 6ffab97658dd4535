// A colour: red, green, blue and alpha, 8 bits each (alpha 255 is opaque).
#pragma once

#include <cstdint>

namespace VSTGUI {

struct CColor {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 255;

    constexpr bool operator==(const CColor&) const = default;
};

constexpr CColor kWhiteCColor{255, 255, 255, 255};
constexpr CColor kBlackCColor{0, 0, 0, 255};
constexpr CColor kGreyCColor{127, 127, 127, 255};
constexpr CColor kRedCColor{255, 0, 0, 255};
constexpr CColor kTransparentCColor{255, 255, 255, 0};

}  // namespace VSTGUI
