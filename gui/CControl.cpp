#include "gui/CControl.h"

#include <algorithm>
#include <cmath>

#include "gui/CFrame.h"
#include "gui/IControlListener.h"

namespace VSTGUI {

const char* const kMessageValueChanged = "kMessageValueChanged";
const char* const kMessageBeginEdit = "kMessageBeginEdit";
const char* const kMessageEndEdit = "kMessageEndEdit";

CControl::CControl(const CRect& size, IControlListener* listener, int32_t tag,
                   CBitmap* background)
    : CView(size), listener(listener), tag(tag) {
    if (background) setBackground(background);
    setWantsFocus(true);
}

bool CControl::isDirty() const { return value != lastValue || CView::isDirty(); }

void CControl::setDirty(bool state) {
    CView::setDirty(state);
    if (state)
        lastValue = value == -1.0f ? 0.0f : -1.0f;
    else
        lastValue = value;
}

float CControl::clampToRange(float candidate) const {
    // A NaN (a host may send one) would otherwise slip through every comparison.
    if (std::isnan(candidate)) return vmin;
    return std::clamp(candidate, vmin, std::max(vmin, vmax));
}

void CControl::setValue(float newValue) {
    newValue = clampToRange(newValue);
    if (newValue == value) return;
    value = newValue;
    changed(kMessageValueChanged);
}

void CControl::setValueNormalized(float normalized) {
    if (std::isnan(normalized)) normalized = 0.0f;
    normalized = std::clamp(normalized, 0.0f, 1.0f);
    setValue(vmin + (vmax - vmin) * normalized);
}

float CControl::getValueNormalized() const {
    const float range = vmax - vmin;
    return range == 0.0f ? 0.0f : (value - vmin) / range;
}

void CControl::setMin(float minimum) {
    vmin = minimum;
    bounceValue();
}

void CControl::setMax(float maximum) {
    vmax = maximum;
    bounceValue();
}

void CControl::bounceValue() { value = clampToRange(value); }

bool CControl::checkDefaultValue(const CButtonState& buttons) {
    if (!buttons.isLeftButtonOnly() || buttons.getModifierState() != kControl) return false;
    if (defaultValue != value) {
        beginEdit();
        setValue(defaultValue);
        valueChanged();
        endEdit();
    }
    return true;
}

void CControl::valueChanged() {
    if (listener) listener->valueChanged(this);
    changed(kMessageValueChanged);
}

void CControl::beginEdit() {
    if (++editDepth != 1) return;
    if (listener) listener->controlBeginEdit(this);
    changed(kMessageBeginEdit);
    if (CFrame* frame = getFrame()) frame->beginEdit(tag);
}

void CControl::endEdit() {
    // An unmatched end (a release after a cancel) must not open the depth downwards.
    if (editDepth == 0 || --editDepth != 0) return;
    if (CFrame* frame = getFrame()) frame->endEdit(tag);
    if (listener) listener->controlEndEdit(this);
    changed(kMessageEndEdit);
}

}  // namespace VSTGUI
