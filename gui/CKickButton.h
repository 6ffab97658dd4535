// A momentary button: pressed while the mouse is held over it; released over itself it
// reports its maximum and at once its minimum.
#pragma once

#include "gui/CControl.h"
#include "gui/IMultiBitmapControl.h"

namespace VSTGUI {

class CKickButton : public CControl, public IMultiBitmapControl {
public:
    CKickButton(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
                const CPoint& offset = {});

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    int32_t onKeyDown(KeyCode& key) override;
    int32_t onKeyUp(KeyCode& key) override;

private:
    CPoint offset;
    float entryValue = 0.0f;
};

}  // namespace VSTGUI
