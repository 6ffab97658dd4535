// A linear gradient between two colours, the first at position 0 and the second at 1
// (or at the positions given).
#pragma once

#include "gui/CBaseObject.h"
#include "gui/CColor.h"

namespace VSTGUI {

class CGradient : public CBaseObject {
public:
    struct ColorStop {
        double start;
        CColor color;
    };

    static CGradient* create(double start1, double start2, const CColor& color1,
                             const CColor& color2) {
        return new CGradient({start1, color1}, {start2, color2});
    }

    const ColorStop& getFirstStop() const { return first; }
    const ColorStop& getSecondStop() const { return second; }

private:
    CGradient(const ColorStop& first, const ColorStop& second) : first(first), second(second) {}

    ColorStop first;
    ColorStop second;
};

}  // namespace VSTGUI
