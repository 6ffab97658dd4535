#include "gui/CViewContainer.h"

#include "gui/CBitmap.h"
#include "gui/CControl.h"
#include "gui/CDrawContext.h"
#include "gui/IControlListener.h"

namespace VSTGUI {
namespace {

bool isModifierClick(const CButtonState& buttons) {
    return buttons & (kRButton | kShift | kControl | kAlt | kApple);
}

CRect intersection(const CRect& a, const CRect& b) {
    CRect r = a;
    return r.bound(b);
}

}  // namespace

CViewContainer::CViewContainer(const CRect& size) : CView(size) {}

CViewContainer::~CViewContainer() { removeAll(); }

bool CViewContainer::addView(CView* view) {
    if (!view) return false;
    views.push_back(view);
    view->attached(getFrame());
    return true;
}

void CViewContainer::removeAll() {
    mouseDownView = nullptr;
    for (CView* view : views) {
        view->removed();
        view->forget();
    }
    views.clear();
}

void CViewContainer::setBackgroundColor(const CColor& color) {
    backgroundColor = color;
    setDirty(true);
}

void CViewContainer::draw(CDrawContext* context) { drawRect(context, size); }

void CViewContainer::drawRect(CDrawContext* context, const CRect& updateRect) {
    context->saveGlobalState();
    context->setClipRect(updateRect);
    if (CBitmap* bitmap = getDrawBackground()) {
        context->drawBitmap(bitmap, size);
    } else if (!getTransparency()) {
        context->setFillColor(backgroundColor);
        context->drawRect(size, kDrawFilled);
    }
    const float containerAlpha = context->getGlobalAlpha();
    for (CView* view : views) {
        if (!view->isShowing() || !view->getViewSize().rectOverlap(updateRect)) continue;
        context->saveGlobalState();
        context->setClipRect(intersection(view->getViewSize(), updateRect));
        context->setGlobalAlpha(containerAlpha * view->getAlphaValue());
        view->draw(context);
        context->restoreGlobalState();
    }
    context->restoreGlobalState();
    setDirty(false);
}

void CViewContainer::invalidDirtyViews() {
    if (!isShowing()) return;
    if (CView::isDirty()) {
        invalid();
        return;
    }
    for (CView* view : views) {
        if (auto* container = dynamic_cast<CViewContainer*>(view)) {
            container->invalidDirtyViews();
        } else if (view->isDirty() && view->isShowing()) {
            view->invalid();
        }
    }
}

bool CViewContainer::acceptsMouse(CView* view, const CPoint& where,
                                  const CButtonState& buttons) const {
    return view->isShowing() && view->getMouseEnabled() && view->hitTest(where, buttons);
}

CView* CViewContainer::getViewAt(const CPoint& where, const CButtonState& buttons) const {
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if (acceptsMouse(*it, where, buttons)) return *it;
    return nullptr;
}

CMouseEventResult CViewContainer::onMouseDown(CPoint& where, const CButtonState& buttons) {
    mouseDownView = nullptr;
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        CView* view = *it;
        if (!acceptsMouse(view, where, buttons)) continue;
        if (auto* control = dynamic_cast<CControl*>(view);
            control && control->getListener() && isModifierClick(buttons) &&
            control->getListener()->controlModifierClicked(control, buttons))
            return kMouseDownEventHandledButDontNeedMovedOrUpEvents;
        if (view->wantsFocus()) takeFocusFor(view);
        CPoint local = where;
        const CMouseEventResult result = view->onMouseDown(local, buttons);
        if (result == kMouseEventHandled) {
            mouseDownView = view;
            return result;
        }
        if (result == kMouseDownEventHandledButDontNeedMovedOrUpEvents) return result;
        // Not handled: only a transparent view lets the click through to those below.
        if (!view->getTransparency()) return kMouseEventNotHandled;
    }
    return kMouseEventNotHandled;
}

CMouseEventResult CViewContainer::onMouseMoved(CPoint& where, const CButtonState& buttons) {
    if (!mouseDownView) return kMouseEventNotHandled;
    CPoint local = where;
    const CMouseEventResult result = mouseDownView->onMouseMoved(local, buttons);
    if (result != kMouseEventHandled && result != kMouseEventNotImplemented)
        mouseDownView = nullptr;
    return result;
}

CMouseEventResult CViewContainer::onMouseUp(CPoint& where, const CButtonState& buttons) {
    CView* view = mouseDownView;
    if (!view) return kMouseEventNotHandled;
    mouseDownView = nullptr;
    CPoint local = where;
    return view->onMouseUp(local, buttons);
}

CMouseEventResult CViewContainer::onMouseCancel() {
    CView* view = mouseDownView;
    if (!view) return kMouseEventNotHandled;
    mouseDownView = nullptr;
    return view->onMouseCancel();
}

bool CViewContainer::onWheel(const CPoint& where, const CMouseWheelAxis& axis,
                             const float& distance, const CButtonState& buttons) {
    for (auto it = views.rbegin(); it != views.rend(); ++it) {
        CView* view = *it;
        if (!acceptsMouse(view, where, buttons)) continue;
        if (view->onWheel(where, axis, distance, buttons)) return true;
        if (!view->getTransparency()) return false;
    }
    return false;
}

}  // namespace VSTGUI
