// Controls that show one of several images stacked vertically in one bitmap.
#pragma once

#include <cstdint>

namespace VSTGUI {

class IMultiBitmapControl {
public:
    virtual ~IMultiBitmapControl() = default;
    virtual void setHeightOfOneImage(const double& height) { heightOfOneImage = height; }
    double getHeightOfOneImage() const { return heightOfOneImage; }
    int32_t getNumSubPixmaps() const { return subPixmaps; }

protected:
    double heightOfOneImage = 0.0;
    int32_t subPixmaps = 0;
};

}  // namespace VSTGUI
