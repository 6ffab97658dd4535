#include "gui/CKnob.h"

#include <numbers>
#include <cmath>

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"

namespace VSTGUI {

CKnob::CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
             CBitmap* handle, const CPoint& offset, int32_t drawStyle)
    : CControl(size, listener, tag, background),
      drawStyle(drawStyle),
      inset(handle ? handle->getWidth() / 2.0 + 2.5 : 3.0),
      startAngle(static_cast<float>(3.0 * std::numbers::pi / 4.0)),
      rangeAngle(static_cast<float>(3.0 * std::numbers::pi / 2.0)),
      handleBitmap(handle) {
    setBackOffset(offset);
    if (handleBitmap) handleBitmap->remember();
}

CKnob::~CKnob() {
    if (handleBitmap) handleBitmap->forget();
}

void CKnob::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getDrawBackground())
        context->drawBitmap(bitmap, size, getBackOffset());
    // This toolkit draws its handle as a line; the other handle kinds have no use here.
    if (!handleBitmap && drawStyle == 0) drawHandleAsLine(context);
    setDirty(false);
}

void CKnob::setStartAngle(float angle) {
    startAngle = angle;
    setDirty();
}

void CKnob::setRangeAngle(float angle) {
    rangeAngle = angle;
    setDirty();
}

void CKnob::setMin(float minimum) {
    CControl::setMin(minimum);
    setDirty();
}

void CKnob::setMax(float maximum) {
    CControl::setMax(maximum);
    setDirty();
}

CPoint CKnob::valueToPoint(float normalized) const {
    const float alpha = startAngle + rangeAngle * normalized;
    const double w = getWidth() / 2.0;
    const double h = getHeight() / 2.0;
    return {w + std::cos(alpha) * (w - inset) + 0.5, h + std::sin(alpha) * (h - inset) + 0.5};
}

void CKnob::drawHandleAsLine(CDrawContext* context) const {
    const CPoint p = valueToPoint(getValueNormalized());
    const double w = getWidth() / 2.0;
    const double h = getHeight() / 2.0;
    context->saveGlobalState();
    context->setDrawMode(kAntiAliasing);
    context->setLineWidth(handleLineWidth);
    context->setLineStyle({CLineStyle::kLineCapRound, CLineStyle::kLineJoinRound});
    context->setFrameColor(colorShadowHandle);
    context->drawLine({size.left - 1 + p.x, size.top + p.y}, {size.left - 1 + w, size.top + h});
    context->setFrameColor(colorHandle);
    context->drawLine({size.left + p.x, size.top + p.y - 1}, {size.left + w, size.top + h - 1});
    context->restoreGlobalState();
}

void CKnob::setDragRange(const CButtonState& buttons) {
    range = buttons & kShift ? kDragRange * zoomFactor : kDragRange;
    coefficient = static_cast<float>((vmax - vmin) / range);
}

CMouseEventResult CKnob::onMouseDown(CPoint& where, const CButtonState& buttons) {
    if (!buttons.isLeftButtonOnly()) return kMouseEventNotHandled;
    beginEdit();
    if (checkDefaultValue(buttons)) {
        endEdit();
        return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
    }
    firstPoint = where;
    lastPoint = {-1, -1};
    entryValue = value;
    dragButtons = buttons;
    setDragRange(buttons);
    return onMouseMoved(where, buttons);
}

CMouseEventResult CKnob::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!isEditing()) return kMouseEventNotHandled;
    if (where == lastPoint) return kMouseEventHandled;
    lastPoint = where;
    const float travel =
        static_cast<float>((firstPoint.y - where.y) + (where.x - firstPoint.x));
    if (buttons != dragButtons) {
        // Shift pressed or released mid-drag: change the rate, keep the value where it is.
        const float previous = coefficient;
        setDragRange(buttons);
        entryValue += travel * (previous - coefficient);
        dragButtons = buttons;
    }
    value = clampToRange(entryValue + travel * coefficient);
    if (value != lastValue) valueChanged();
    if (isDirty()) invalid();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseUp(CPoint&, const CButtonState&) {
    endEdit();
    return kMouseEventHandled;
}

CMouseEventResult CKnob::onMouseCancel() {
    endEdit();
    return kMouseEventHandled;
}

void CKnob::stepNormalized(float delta) {
    setValueNormalized(getValueNormalized() + delta);
    if (!isDirty()) return;
    invalid();
    beginEdit();
    valueChanged();
    endEdit();
}

bool CKnob::onWheel(const CPoint&, const float& distance, const CButtonState& buttons) {
    if (!getMouseEnabled()) return false;
    stepNormalized(distance * wheelInc * (buttons & kShift ? 0.1f : 1.0f));
    return true;
}

int32_t CKnob::onKeyDown(KeyCode& key) {
    float step;
    switch (key.virt) {
        case VKEY_UP:
        case VKEY_RIGHT:
            step = 1.0f;
            break;
        case VKEY_DOWN:
        case VKEY_LEFT:
            step = -1.0f;
            break;
        default:
            return -1;
    }
    stepNormalized(step * wheelInc * (key.modifier & MODIFIER_SHIFT ? 0.1f : 1.0f));
    return 1;
}

}  // namespace VSTGUI
