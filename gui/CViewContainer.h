// A view that holds views: it draws them over its background in the order they were
// added, offers them the mouse and the wheel from the topmost down, and finds the ones
// that need redrawing. Its views share its coordinates.
#pragma once

#include <vector>

#include "gui/CColor.h"
#include "gui/CView.h"

namespace VSTGUI {

class CViewContainer : public CView {
public:
    explicit CViewContainer(const CRect& size);

    // Takes over the caller's reference.
    virtual bool addView(CView* view);
    virtual void removeAll();
    const std::vector<CView*>& getViews() const { return views; }

    void setBackgroundColor(const CColor& color);
    const CColor& getBackgroundColor() const { return backgroundColor; }

    void draw(CDrawContext* context) override;
    // Draws the background and the views that meet `updateRect`, clipped to it.
    virtual void drawRect(CDrawContext* context, const CRect& updateRect);
    // Invalidates every view that needs redrawing (all of the container when it is dirty).
    void invalidDirtyViews();

    CMouseEventResult onMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult onMouseCancel() override;
    bool onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                 const CButtonState& buttons) override;

    // The topmost view that would take a click at `where`.
    CView* getViewAt(const CPoint& where, const CButtonState& buttons = {}) const;
    CView* getMouseDownView() const { return mouseDownView; }

protected:
    ~CViewContainer() override;

    // The frame gives views the focus on a click.
    virtual void takeFocusFor(CView*) {}

private:
    bool acceptsMouse(CView* view, const CPoint& where, const CButtonState& buttons) const;

    std::vector<CView*> views;
    CColor backgroundColor = kBlackCColor;
    CView* mouseDownView = nullptr;
};

}  // namespace VSTGUI
