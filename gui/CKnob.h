// A rotary control in linear mode: dragging up or right turns it up, 200 pixels for the
// whole range (300 with Shift); the wheel and the arrow keys step it. Without a handle
// bitmap the handle is drawn as a line from the centre.
#pragma once

#include "gui/CColor.h"
#include "gui/CControl.h"

namespace VSTGUI {

class CKnob : public CControl {
public:
    CKnob(const CRect& size, IControlListener* listener, int32_t tag, CBitmap* background,
          CBitmap* handle = nullptr, const CPoint& offset = {}, int32_t drawStyle = 0);

    void draw(CDrawContext* context) override;
    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const float& distance, const CButtonState& buttons) override;
    int32_t onKeyDown(KeyCode& key) override;
    void setMin(float minimum) override;
    void setMax(float maximum) override;

    virtual void setStartAngle(float angle);
    virtual float getStartAngle() const { return startAngle; }
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() const { return rangeAngle; }
    // The handle's outer end for a normalised value, relative to the top-left corner.
    virtual CPoint valueToPoint(float normalized) const;
    virtual void setInsetValue(double value) { inset = value; }
    virtual double getInsetValue() const { return inset; }
    virtual void setColorHandle(const CColor& color) { colorHandle = color; }
    virtual void setColorShadowHandle(const CColor& color) { colorShadowHandle = color; }
    virtual void setHandleLineWidth(double width) { handleLineWidth = width; }
    virtual void drawHandleAsLine(CDrawContext* context) const;


protected:
    ~CKnob() override;

    // Steps the normalised value as one wheel notch or arrow key does; the gesture and
    // the listener call follow when the value changed.
    void stepNormalized(float delta);

    int32_t drawStyle;
    CColor colorHandle = kWhiteCColor;
    CColor colorShadowHandle = kGreyCColor;
    double handleLineWidth = 1.0;
    double inset;
    float startAngle;
    float rangeAngle;
    float zoomFactor = 1.5f;
    CBitmap* handleBitmap;

private:
    static constexpr double kDragRange = 200.0;

    void setDragRange(const CButtonState& buttons);

    CPoint firstPoint;
    CPoint lastPoint;
    float entryValue = 0.0f;
    double range = kDragRange;
    float coefficient = 0.0f;
    CButtonState dragButtons;
};

}  // namespace VSTGUI
