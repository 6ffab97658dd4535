// A two-state switch that flips when the mouse is released over it. Its bitmap holds the
// off image above the on image.
#pragma once

#include "gui/CControl.h"

namespace VSTGUI {

class COnOffButton : public CControl {
public:
    COnOffButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                 int32_t style = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint&, const CButtonState&) override {
        return kMouseEventHandled;
    }
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    int32_t onKeyDown(KeyCode& key) override;

    int32_t getStyle() const { return style; }

private:
    void flip();

    int32_t style;
};

}  // namespace VSTGUI
