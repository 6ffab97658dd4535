// A knob drawn as one image of a film strip: the sub-image for the current value.
#pragma once

#include "gui/CKnob.h"
#include "gui/IMultiBitmapControl.h"

namespace VSTGUI {

class CAnimKnob : public CKnob, public IMultiBitmapControl {
public:
    CAnimKnob(const CRect& size, IControlListener* listener, int32_t tag, int32_t subPixmaps,
              double heightOfOneImage, CBitmap* background, const CPoint& offset = {});

    void draw(CDrawContext* context) override;
    void setBackground(CBitmap* background) override;
    void setHeightOfOneImage(const double& height) override;

    void setInverseBitmap(bool state) { inverseBitmap = state; }

private:
    void deriveSubPixmaps();

    bool inverseBitmap = false;
};

}  // namespace VSTGUI
