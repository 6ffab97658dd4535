// The frame's dispatch: clicks from the topmost view down, the view that keeps a drag,
// the wheel, keys and the Tab order, and the scan that finds what to redraw.
#include "gui/CKnob.h"
#include "gui/COnOffButton.h"
#include "gui/CTextLabel.h"
#include "tests/gui/GuiTestSupport.h"

using namespace VSTGUI;
using guitest::Log;

namespace {

class FrameTest : public guitest::OffscreenTest {
protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        under = add(new CKnob(CRect(0, 0, 100, 100), &listener, 1, nullptr));
        over = add(new CKnob(CRect(50, 50, 150, 150), &listener, 2, nullptr));
        label = add(new CTextLabel(CRect(0, 120, 40, 140), "label"));
        redraw();
        log.clear();
    }

    CKnob* under = nullptr;
    CKnob* over = nullptr;
    CTextLabel* label = nullptr;
};

TEST_F(FrameTest, TopmostViewTakesTheClickAndKeepsTheDrag) {
    CPoint p(60, 60);
    frame->onMouseDown(p, kLButton);
    EXPECT_EQ(frame->getMouseDownView(), over);
    p = {400, -300};  // far outside every view: the drag still goes to the knob
    frame->onMouseMoved(p, kLButton);
    EXPECT_EQ(over->getValue(), 1.0f);
    EXPECT_EQ(under->getValue(), 0.0f);
    frame->onMouseUp(p, kLButton);
    EXPECT_EQ(frame->getMouseDownView(), nullptr);
    EXPECT_EQ(frame->getFocusView(), over) << "a click gives the focus";
}

TEST_F(FrameTest, OpaqueViewStopsAClickItDoesNotHandle) {
    CPoint p(60, 60);
    EXPECT_EQ(frame->onMouseDown(p, kRButton), kMouseEventNotHandled);
    EXPECT_EQ(std::count(log.begin(), log.end(), "modifierClicked"), 1)
        << "only the topmost view was asked";
    over->setTransparency(true);
    log.clear();
    frame->onMouseDown(p, kRButton);
    EXPECT_EQ(std::count(log.begin(), log.end(), "modifierClicked"), 2)
        << "a transparent view lets it through to the one below";
}

TEST_F(FrameTest, ModifierClickConsumedByTheListener) {
    listener.consumeModifierClicks = true;
    CPoint p(60, 60);
    EXPECT_EQ(frame->onMouseDown(p, CButtonState(kLButton | kShift)),
              kMouseDownEventHandledButDontNeedMovedOrUpEvents);
    EXPECT_FALSE(over->isEditing());
}

TEST_F(FrameTest, HiddenAndDisabledViewsAreSkipped) {
    CPoint p(60, 60);
    over->setMouseEnabled(false);
    frame->onMouseDown(p, kLButton);
    EXPECT_EQ(frame->getMouseDownView(), under);
    frame->onMouseUp(p, kLButton);
    over->setMouseEnabled(true);
    over->setAlphaValue(0.0f);
    frame->onMouseDown(p, kLButton);
    EXPECT_EQ(frame->getMouseDownView(), under);
    frame->onMouseUp(p, kLButton);
}

TEST_F(FrameTest, LabelSwallowsClicksUnlessTransparent) {
    auto* behind = add(new CKnob(CRect(0, 110, 50, 150), &listener, 5, nullptr));
    auto* front = add(new CTextLabel(CRect(0, 120, 40, 140), "front"));
    CPoint p(10, 130);
    EXPECT_EQ(frame->onMouseDown(p, kLButton), kMouseEventNotHandled);
    EXPECT_FALSE(behind->isEditing());
    front->setBackColor(kTransparentCColor);
    EXPECT_EQ(frame->onMouseDown(p, kLButton), kMouseEventNotHandled)
        << "a clear back colour does not make the view transparent";
    front->setTransparency(true);
    EXPECT_EQ(frame->onMouseDown(p, kLButton), kMouseEventHandled);
    EXPECT_TRUE(behind->isEditing());
    frame->onMouseUp(p, kLButton);
}

TEST_F(FrameTest, WheelGoesToTheTopmostViewUnderTheMouse) {
    EXPECT_TRUE(frame->onWheel({60, 60}, kMouseWheelAxisY, 1.0f, 0));
    EXPECT_NEAR(over->getValue(), 0.1f, 1e-6f);
    EXPECT_EQ(under->getValue(), 0.0f);
    EXPECT_FALSE(frame->onWheel({10, 130}, kMouseWheelAxisY, 1.0f, 0)) << "a label ignores it";
}

TEST_F(FrameTest, KeysGoToTheFocusViewAndTabMovesIt) {
    KeyCode up{0, VKEY_UP, 0};
    EXPECT_EQ(frame->onKeyDown(up), -1) << "no focus yet: unused, so the host keeps the key";
    KeyCode tab{0, VKEY_TAB, 0};
    EXPECT_EQ(frame->onKeyDown(tab), 1);
    EXPECT_EQ(frame->getFocusView(), under);
    EXPECT_EQ(frame->onKeyDown(up), 1);
    EXPECT_NEAR(under->getValue(), 0.1f, 1e-6f);
    frame->onKeyDown(tab);
    EXPECT_EQ(frame->getFocusView(), over);
    frame->onKeyDown(tab);
    EXPECT_EQ(frame->getFocusView(), under) << "the label takes no focus; the order wraps";
    KeyCode backTab{0, VKEY_TAB, MODIFIER_SHIFT};
    frame->onKeyDown(backTab);
    EXPECT_EQ(frame->getFocusView(), over);
    KeyCode space{' ', VKEY_SPACE, 0};
    EXPECT_EQ(frame->onKeyDown(space), -1);
}

TEST_F(FrameTest, OnlyDirtyViewsAreRedrawn) {
    const int paints = screen().paintCount();
    redraw();
    EXPECT_EQ(screen().paintCount(), paints) << "nothing changed, nothing painted";
    over->setValue(0.7f);
    EXPECT_TRUE(over->isDirty());
    redraw();
    EXPECT_EQ(screen().paintCount(), paints + 1);
    EXPECT_FALSE(over->isDirty());
    EXPECT_FALSE(under->isDirty());
}

TEST_F(FrameTest, ClosingDuringADragEndsTheGesture) {
    CPoint p(60, 60);
    frame->onMouseDown(p, kLButton);
    log.clear();
    frame->close();
    EXPECT_EQ(log, (Log{"editorEnd 2", "listenerEnd"}));
    EXPECT_TRUE(frame->getViews().empty());
}

}  // namespace
