// The window's root view: it owns a platform window inside the host's, dispatches the
// window's input to its views, keeps the keyboard focus, redraws what changed at idle,
// and passes the controls' edit gestures to the editor.
#pragma once

#include <memory>

#include "gui/CViewContainer.h"
#include "gui/platform/PlatformFrame.h"

namespace VSTGUI {

class VSTGUIEditorInterface;

class CFrame : public CViewContainer, private platform::FrameEvents {
public:
    CFrame(const CRect& size, VSTGUIEditorInterface* editor);

    // Makes the platform window inside `parent`; false when none can be made.
    bool open(void* parent);
    bool isOpen() const { return platformFrame != nullptr; }
    // Ends a drag in progress, removes every view and closes the platform window.
    void close();

    void setVisible(bool visible);
    // Window input, then the dirty views, then the repaint of everything invalid.
    void idle();
    // Repaints what is invalid now (before a modal dialog takes over the thread).
    void flushRedraws();
    void invalidRect(const CRect& rect);
    void invalid() override;

    bool getCurrentMouseLocation(CPoint& where) const;
    CButtonState getCurrentMouseButtons() const;

    // Keys go to the focus view, then to the frame; an unused Tab moves the focus.
    int32_t onKeyDown(KeyCode& key) override;
    int32_t onKeyUp(KeyCode& key) override;
    CView* getFocusView() const { return focusView; }
    void setFocusView(CView* view) { focusView = view; }
    bool advanceNextFocusView(bool reverse);

    void beginEdit(int32_t tag);
    void endEdit(int32_t tag);
    VSTGUIEditorInterface* getEditor() const { return editor; }
    platform::PlatformFrame* getPlatformFrame() const { return platformFrame.get(); }

protected:
    ~CFrame() override;
    void takeFocusFor(CView* view) override { setFocusView(view); }

private:
    void platformDrawRect(CDrawContext& context, const CRect& rect) override;
    CMouseEventResult platformOnMouseDown(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseMoved(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseUp(CPoint& where, const CButtonState& buttons) override;
    CMouseEventResult platformOnMouseCancel() override;
    bool platformOnMouseWheel(const CPoint& where, CMouseWheelAxis axis, float distance,
                              const CButtonState& buttons) override;
    int32_t platformOnKeyDown(KeyCode& key) override { return onKeyDown(key); }
    int32_t platformOnKeyUp(KeyCode& key) override { return onKeyUp(key); }

    VSTGUIEditorInterface* editor;
    std::unique_ptr<platform::PlatformFrame> platformFrame;
    CView* focusView = nullptr;
};

}  // namespace VSTGUI
