#include "gui/CFrame.h"

#include <algorithm>

#include "gui/VSTGUIEditorInterface.h"

namespace VSTGUI {

CFrame::CFrame(const CRect& size, VSTGUIEditorInterface* editor)
    : CViewContainer(size), editor(editor) {
    attached(this);
}

CFrame::~CFrame() { close(); }

bool CFrame::open(void* parent) {
    if (platformFrame) return true;
    platformFrame = platform::platformFrameFactory()(*this, size, parent);
    if (platformFrame) invalid();
    return platformFrame != nullptr;
}

void CFrame::close() {
    // A drag cut short by the window closing still ends its gesture at the host.
    onMouseCancel();
    focusView = nullptr;
    removeAll();
    platformFrame.reset();
}

void CFrame::setVisible(bool visible) {
    if (platformFrame) platformFrame->setVisible(visible);
}

void CFrame::idle() {
    if (!platformFrame) return;
    platformFrame->processEvents();
    flushRedraws();
}

void CFrame::flushRedraws() {
    if (!platformFrame) return;
    invalidDirtyViews();
    platformFrame->paintInvalidRegion();
}

void CFrame::invalidRect(const CRect& rect) {
    if (platformFrame) platformFrame->invalidRect(rect);
}

void CFrame::invalid() {
    setDirty(false);
    invalidRect(size);
}

bool CFrame::getCurrentMouseLocation(CPoint& where) const {
    return platformFrame && platformFrame->getCurrentMousePosition(where);
}

CButtonState CFrame::getCurrentMouseButtons() const {
    CButtonState buttons;
    if (platformFrame) platformFrame->getCurrentMouseButtons(buttons);
    return buttons;
}

bool CFrame::advanceNextFocusView(bool reverse) {
    const std::vector<CView*>& all = getViews();
    if (all.empty()) return false;
    const auto count = static_cast<long>(all.size());
    const auto current = std::find(all.begin(), all.end(), focusView);
    // From no focus, forward starts at the first view and backward at the last.
    long index = current == all.end() ? (reverse ? count : -1) : current - all.begin();
    for (long step = 0; step < count; ++step) {
        index = (index + (reverse ? -1 : 1) + count) % count;
        CView* candidate = all[static_cast<std::size_t>(index)];
        if (candidate->wantsFocus() && candidate->isShowing() && candidate->getMouseEnabled()) {
            setFocusView(candidate);
            return true;
        }
    }
    return false;
}

int32_t CFrame::onKeyDown(KeyCode& key) {
    int32_t result = focusView ? focusView->onKeyDown(key) : -1;
    if (result == -1 && key.virt == VKEY_TAB)
        result = advanceNextFocusView((key.modifier & MODIFIER_SHIFT) != 0) ? 1 : -1;
    return result;
}

int32_t CFrame::onKeyUp(KeyCode& key) { return focusView ? focusView->onKeyUp(key) : -1; }

void CFrame::beginEdit(int32_t tag) {
    if (editor) editor->beginEdit(tag);
}

void CFrame::endEdit(int32_t tag) {
    if (editor) editor->endEdit(tag);
}

void CFrame::platformDrawRect(CDrawContext& context, const CRect& rect) { drawRect(&context, rect); }

CMouseEventResult CFrame::platformOnMouseDown(CPoint& where, const CButtonState& buttons) {
    return onMouseDown(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseMoved(CPoint& where, const CButtonState& buttons) {
    return onMouseMoved(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseUp(CPoint& where, const CButtonState& buttons) {
    return onMouseUp(where, buttons);
}

CMouseEventResult CFrame::platformOnMouseCancel() { return onMouseCancel(); }

bool CFrame::platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                                  const CButtonState& buttons) {
    return onWheel(where, axis, distance, buttons);
}

}  // namespace VSTGUI
