// The base of everything in a window: a rectangle that draws itself and may take the
// mouse, the wheel, keys and the keyboard focus.
#pragma once

#include <cstdint>

#include "gui/CBaseObject.h"
#include "gui/CButtonState.h"
#include "gui/CRect.h"
#include "gui/KeyCode.h"

namespace VSTGUI {

class CBitmap;
class CDrawContext;
class CFrame;

class CView : public CBaseObject {
public:
    explicit CView(const CRect& size);

    virtual void draw(CDrawContext* context);
    virtual bool isDirty() const { return dirty; }
    virtual void setDirty(bool state = true) { dirty = state; }
    // Has the view's rectangle redrawn at the window's next update.
    virtual void invalid();

    virtual CMouseEventResult onMouseDown(CPoint&, const CButtonState&) {
        return kMouseEventNotImplemented;
    }
    virtual CMouseEventResult onMouseUp(CPoint&, const CButtonState&) {
        return kMouseEventNotImplemented;
    }
    virtual CMouseEventResult onMouseMoved(CPoint&, const CButtonState&) {
        return kMouseEventNotImplemented;
    }
    virtual CMouseEventResult onMouseCancel() { return kMouseEventNotImplemented; }
    virtual bool hitTest(const CPoint& where, const CButtonState&) {
        return size.pointInside(where);
    }
    // The vertical wheel goes to the axis-free handler; the horizontal one is not used.
    virtual bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                         const CButtonState& buttons);
    virtual bool onWheel(const CPoint&, const float&, const CButtonState&) { return false; }
    virtual void setMouseEnabled(bool state) { mouseEnabled = state; }
    virtual bool getMouseEnabled() const { return mouseEnabled; }
    // Key handlers answer 1 for a key they used and -1 otherwise.
    virtual int32_t onKeyDown(KeyCode&) { return -1; }
    virtual int32_t onKeyUp(KeyCode&) { return -1; }
    virtual bool wantsFocus() const { return focusWanted; }
    virtual void setWantsFocus(bool state) { focusWanted = state; }
    virtual void setBackground(CBitmap* background);
    virtual void setTransparency(bool state) { transparent = state; }
    virtual bool getTransparency() const { return transparent; }

    CBitmap* getBackground() const { return background; }
    void setDisabledBackground(CBitmap* bitmap);
    CBitmap* getDisabledBackground() const { return disabledBackground; }
    // The background, or the disabled one while mouse input is off and one is set.
    CBitmap* getDrawBackground() const;

    const CRect& getViewSize() const { return size; }
    virtual void setViewSize(const CRect& rect) { size = rect; }
    double getWidth() const { return size.getWidth(); }
    double getHeight() const { return size.getHeight(); }

    void setVisible(bool state) { visible = state; }
    bool isVisible() const { return visible; }
    void setAlphaValue(float alpha) { alphaValue = alpha; }
    float getAlphaValue() const { return alphaValue; }
    // Drawn and offered input only while visible and not fully faded out.
    bool isShowing() const { return visible && alphaValue > 0.0f; }

    // The window the view lives in, set while it belongs to one.
    CFrame* getFrame() const { return frame; }
    void attached(CFrame* owner) { frame = owner; }
    void removed() { frame = nullptr; }

protected:
    ~CView() override;

    CRect size;

private:
    CBitmap* background = nullptr;
    CBitmap* disabledBackground = nullptr;
    CFrame* frame = nullptr;
    float alphaValue = 1.0f;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparent = false;
    bool focusWanted = false;
    bool visible = true;
};

}  // namespace VSTGUI
