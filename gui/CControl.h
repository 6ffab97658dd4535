// A view with a value: bounds, a default, the last value drawn, edit gestures, and a
// listener that hears user changes. Setting the value from outside (setValue) tells no
// listener and marks nothing for redrawing, so parameter changes cause no feedback.
#pragma once

#include "gui/CView.h"
#include "gui/IDependency.h"

namespace VSTGUI {

class IControlListener;

class CControl : public CView, public IDependency {
public:
    CControl(const CRect& size, IControlListener* listener = nullptr, int32_t tag = -1,
             CBitmap* background = nullptr);

    bool isDirty() const override;
    void setDirty(bool state = true) override;

    virtual void setValue(float value);
    virtual float getValue() const { return value; }
    virtual void setValueNormalized(float normalized);
    virtual float getValueNormalized() const;
    virtual void setMin(float minimum);
    virtual float getMin() const { return vmin; }
    virtual void setMax(float maximum);
    virtual float getMax() const { return vmax; }
    virtual void setOldValue(float drawn) { lastValue = drawn; }
    virtual float getOldValue() const { return lastValue; }
    virtual void setDefaultValue(float defaultValue) { this->defaultValue = defaultValue; }
    virtual float getDefaultValue() const { return defaultValue; }
    // Clamps the value into [minimum, maximum] without telling anyone.
    virtual void bounceValue();
    // A left click with Control alone sets the default value in one gesture; true when
    // the click was such a click (and is consumed).
    virtual bool checkDefaultValue(const CButtonState& buttons);
    // Tells the listener, then the dependents, that the user changed the value.
    virtual void valueChanged();
    virtual void beginEdit();
    virtual void endEdit();

    bool isEditing() const { return editDepth > 0; }
    int32_t getTag() const { return tag; }
    void setTag(int32_t newTag) { tag = newTag; }
    IControlListener* getListener() const { return listener; }
    void setListener(IControlListener* newListener) { listener = newListener; }
    float getWheelInc() const { return wheelInc; }
    void setWheelInc(float increment) { wheelInc = increment; }
    const CPoint& getBackOffset() const { return backOffset; }
    void setBackOffset(const CPoint& offset) { backOffset = offset; }

protected:
    float clampToRange(float candidate) const;

    IControlListener* listener;
    int32_t tag;
    float value = 0.0f;
    float vmin = 0.0f;
    float vmax = 1.0f;
    float defaultValue = 0.5f;
    float lastValue = 1.0f;
    float wheelInc = 0.1f;
    int32_t editDepth = 0;
    CPoint backOffset;
};

}  // namespace VSTGUI
