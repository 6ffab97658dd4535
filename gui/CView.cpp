#include "gui/CView.h"

#include "gui/CBitmap.h"
#include "gui/CDrawContext.h"
#include "gui/CFrame.h"

namespace VSTGUI {

CView::CView(const CRect& size) : size(size) {}

CView::~CView() {
    exchangeReference(background, nullptr);
    exchangeReference(disabledBackground, nullptr);
}

void CView::draw(CDrawContext* context) {
    if (CBitmap* bitmap = getDrawBackground()) context->drawBitmap(bitmap, size);
    setDirty(false);
}

void CView::invalid() {
    setDirty(false);
    if (frame) frame->invalidRect(size);
}

bool CView::onWheel(const CPoint& where, const CMouseWheelAxis& axis, const float& distance,
                    const CButtonState& buttons) {
    return axis == kMouseWheelAxisY && onWheel(where, distance, buttons);
}

void CView::setBackground(CBitmap* bitmap) {
    exchangeReference(background, bitmap);
    setDirty(true);
}

void CView::setDisabledBackground(CBitmap* bitmap) {
    exchangeReference(disabledBackground, bitmap);
    setDirty(true);
}

CBitmap* CView::getDrawBackground() const {
    if (!mouseEnabled && disabledBackground) return disabledBackground;
    return background;
}

}  // namespace VSTGUI
