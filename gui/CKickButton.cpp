#include "gui/CKickButton.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

namespace VSTGUI {

CKickButton::CKickButton(const CRect& size, IControlListener* listener, int32_t tag,
                         CBitmap* background, const CPoint& offset)
    : CControl(size, listener, tag, background), offset(offset) {
    heightOfOneImage = size.getHeight();
}

void CKickButton::draw(CDrawContext* context) {
    bounceValue();
    if (CBitmap* bitmap = getDrawBackground()) {
        CPoint source = offset;
        if (value == vmax) source.y += heightOfOneImage;
        context->drawBitmap(bitmap, size, source);
    }
    setDirty(false);
}

CMouseEventResult CKickButton::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButton()) return kMouseEventNotHandled;
    entryValue = value;
    beginEdit();
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKickButton::onMouseMoved(CPoint& where, const CButtonState&) {
    if (!isEditing()) return kMouseEventNotHandled;
    value = size.pointInsideInclusive(where) ? vmax : vmin;
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseUp(CPoint&, const CButtonState&) {
    if (value > 0.0f) valueChanged();
    value = vmin;
    valueChanged();
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKickButton::onMouseCancel() {
    value = vmin;
    if (isDirty()) invalid();
    endEdit();
    return kMouseEventHandled;
}

int32_t CKickButton::onKeyDown(KeyCode& key) {
    if (key.virt != VKEY_RETURN || key.modifier != 0) return -1;
    if (value != vmax) {
        beginEdit();
        value = vmax;
        invalid();
        valueChanged();
    }
    return 1;
}

int32_t CKickButton::onKeyUp(KeyCode& key) {
    if (key.virt != VKEY_RETURN || key.modifier != 0) return -1;
    value = vmin;
    invalid();
    valueChanged();
    endEdit();
    return 1;
}

}  // namespace VSTGUI
