#include "gui/CAnimKnob.h"

#include <cmath>
#include <cstdint>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

namespace VSTGUI {

CAnimKnob::CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag,
                     int32_t subPixmaps, double heightOfOneImage, CBitmap* background,
                     const CPoint& offset)
    : CKnob(size, listener, tag, nullptr, nullptr, offset) {
    inset = 0.0;
    this->heightOfOneImage = heightOfOneImage;
    this->subPixmaps = subPixmaps;
    if (background) setBackground(background);
}

void CAnimKnob::setBackground(CBitmap* bitmap) {
    CKnob::setBackground(bitmap);
    if (heightOfOneImage == 0.0) heightOfOneImage = getHeight();
    deriveSubPixmaps();
}

void CAnimKnob::setHeightOfOneImage(const double& height) {
    IMultiBitmapControl::setHeightOfOneImage(height);
    deriveSubPixmaps();
}

void CAnimKnob::deriveSubPixmaps() {
    if (CBitmap* bitmap = getBackground(); bitmap && heightOfOneImage > 0.0)
        subPixmaps = static_cast<int32_t>(bitmap->getHeight() / heightOfOneImage);
}

void CAnimKnob::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getDrawBackground()) {
        CPoint offset;
        const float normalized = getValueNormalized();
        if (normalized >= 0.0f && heightOfOneImage > 0.0) {
            const double shown = inverseBitmap ? 1.0 - normalized : normalized;
            double y = std::floor(shown * (subPixmaps - 1) * heightOfOneImage);
            // Down to the top of a whole sub-image, should the product land inside one.
            const auto wholeHeight = static_cast<int64_t>(heightOfOneImage);
            if (wholeHeight > 0)
                y -= static_cast<double>(static_cast<int64_t>(y) % wholeHeight);
            offset.y = y;
        }
        context->drawBitmap(bitmap, size, offset);
    }
    setDirty(false);
}

}  // namespace VSTGUI
