#include "gui/COnOffButton.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

namespace VSTGUI {

COnOffButton::COnOffButton(const CRect& size, IControlListener* listener, int32_t tag,
                           CBitmap* background, int32_t style)
    : CControl(size, listener, tag, background), style(style) {}

void COnOffButton::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getDrawBackground()) {
        const double offsetY = value == vmax ? bitmap->getHeight() / 2.0 : 0.0;
        context->drawBitmap(bitmap, size, {0.0, offsetY});
    }
    setDirty(false);
}

void COnOffButton::flip() {
    value = value == vmax ? vmin : vmax;
    invalid();
    valueChanged();
}

CMouseEventResult COnOffButton::onMouseDown(CPoint&, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    beginEdit();
    return kMouseEventHandled;
}

CMouseEventResult COnOffButton::onMouseUp(CPoint& where, const CButtonState&) {
    if (!isEditing()) return kMouseEventHandled;
    if (size.pointInside(where)) flip();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult COnOffButton::onMouseCancel() {
    endEdit();
    return kMouseEventHandled;
}

int32_t COnOffButton::onKeyDown(KeyCode& key) {
    if (key.virt != VKEY_RETURN || key.modifier != 0) return -1;
    value = value == vmax ? vmin : vmax;
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
    return 1;
}

}  // namespace VSTGUI
