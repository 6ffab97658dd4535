// Knobs: drag travel and its Shift re-basing, Control-click to the default, the wheel and
// the arrow keys, and the bounds none of them may leave.
#include <cmath>

#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CKnob.h"
#include "tests/gui/GuiTestSupport.h"

using namespace VSTGUI;
using guitest::Log;

namespace {

class KnobTest : public guitest::OffscreenTest {
protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        knob = add(new CKnob(CRect(50, 50, 74, 74), &listener, 4, nullptr));
        redraw();
        log.clear();
    }

    // A drag from `from` through `path`, released at the last point.
    void drag(CPoint from, std::initializer_list<CPoint> path, CButtonState buttons = kLButton) {
        frame->onMouseDown(from, buttons);
        CPoint last = from;
        for (CPoint p : path) {
            last = p;
            frame->onMouseMoved(p, buttons);
        }
        frame->onMouseUp(last, buttons);
    }

    CKnob* knob = nullptr;
};

TEST_F(KnobTest, TwoHundredPixelsSweepTheRange) {
    drag({60, 60}, {{60, 10}, {60, -40}});
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6f);
    knob->setValue(0.0f);
    drag({60, 60}, {{60, -40}, {-40, -40}});
    EXPECT_EQ(knob->getValue(), 0.0f) << "up and left cancel out";
    drag({60, 60}, {{60, -100}, {60, -300}});
    EXPECT_EQ(knob->getValue(), 1.0f);
    drag({60, 60}, {{60, 400}});
    EXPECT_EQ(knob->getValue(), 0.0f);
}

TEST_F(KnobTest, ShiftSlowsTheDragWithoutAJump) {
    CPoint p(60, 60);
    frame->onMouseDown(p, kLButton);
    p = {60, 10};
    frame->onMouseMoved(p, kLButton);
    EXPECT_NEAR(knob->getValue(), 0.25f, 1e-6f);
    const CButtonState shifted(kLButton | kShift);
    p = {60, 9};
    frame->onMouseMoved(p, shifted);
    EXPECT_NEAR(knob->getValue(), 0.255f, 1e-5f) << "no jump when Shift comes in";
    p = {60, -51};
    frame->onMouseMoved(p, shifted);
    EXPECT_NEAR(knob->getValue(), 0.455f, 1e-5f) << "60 more pixels at 300 per sweep";
    p = {60, -101};
    frame->onMouseMoved(p, kLButton);
    // The move that shows Shift released still counts at the slow rate; later ones do not.
    EXPECT_NEAR(knob->getValue(), 0.6216667f, 1e-5f);
    p = {60, -121};
    frame->onMouseMoved(p, kLButton);
    EXPECT_NEAR(knob->getValue(), 0.7216667f, 1e-5f);
    frame->onMouseUp(p, kLButton);
}

TEST_F(KnobTest, DragReportsEveryStepInOneGesture) {
    drag({60, 60}, {{60, 59}, {60, 58}, {60, 58}});
    EXPECT_EQ(log.front(), "listenerBegin");
    EXPECT_EQ(log[1], "editorBegin 4");
    EXPECT_EQ(listener.values.size(), 2u) << "a move to the same point reports nothing";
    EXPECT_EQ(log.back(), "listenerEnd");
}

TEST_F(KnobTest, ControlClickSetsTheDefaultInOneGesture) {
    knob->setValue(0.2f);
    CPoint where(60, 60);
    frame->onMouseDown(where, CButtonState(kLButton | kControl));
    EXPECT_EQ(knob->getValue(), 0.5f);
    EXPECT_EQ(listener.values, std::vector<float>{0.5f});
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorBegin 4"), 1);
    EXPECT_EQ(frame->getMouseDownView(), nullptr) << "the click wants no moves";

    log.clear();
    listener.values.clear();
    frame->onMouseDown(where, CButtonState(kLButton | kControl));
    EXPECT_TRUE(listener.values.empty()) << "already at the default: nothing changes";
    EXPECT_EQ(frame->getMouseDownView(), nullptr) << "but the click is still consumed";
}

TEST_F(KnobTest, ControlShiftClickIsAnOrdinaryDrag) {
    knob->setValue(0.2f);
    const CButtonState buttons(kLButton | kControl | kShift);
    drag({60, 60}, {{60, 0}}, buttons);
    EXPECT_NEAR(knob->getValue(), 0.4f, 1e-6f);
}

TEST_F(KnobTest, RightClickIsNotADrag) {
    CPoint where(60, 60);
    EXPECT_EQ(frame->onMouseDown(where, kRButton), kMouseEventNotHandled);
    EXPECT_EQ(std::count(log.begin(), log.end(), "modifierClicked"), 1)
        << "the listener is asked about a right click first";
}

TEST_F(KnobTest, WheelAndKeysStepInsideTheRange) {
    knob->setValue(0.5f);
    EXPECT_TRUE(frame->onWheel({60, 60}, kMouseWheelAxisY, 1.0f, 0));
    EXPECT_NEAR(knob->getValue(), 0.6f, 1e-6f);
    frame->onWheel({60, 60}, kMouseWheelAxisY, -1.0f, kShift);
    EXPECT_NEAR(knob->getValue(), 0.59f, 1e-6f);
    for (int i = 0; i < 10; ++i) frame->onWheel({60, 60}, kMouseWheelAxisY, 1.0f, 0);
    EXPECT_EQ(knob->getValue(), 1.0f);
    EXPECT_FALSE(frame->onWheel({60, 60}, kMouseWheelAxisX, 1.0f, 0));
    EXPECT_FALSE(frame->onWheel({5, 5}, kMouseWheelAxisY, 1.0f, 0)) << "nothing under the mouse";

    KeyCode down{0, VKEY_DOWN, 0};
    EXPECT_EQ(knob->onKeyDown(down), 1);
    EXPECT_NEAR(knob->getValue(), 0.9f, 1e-6f);
    KeyCode fineUp{0, VKEY_UP, MODIFIER_SHIFT};
    knob->onKeyDown(fineUp);
    EXPECT_NEAR(knob->getValue(), 0.91f, 1e-6f);
    KeyCode other{'a', 0, 0};
    EXPECT_EQ(knob->onKeyDown(other), -1);

    knob->setMouseEnabled(false);
    EXPECT_FALSE(knob->onWheel({60, 60}, 1.0f, 0));
}

TEST_F(KnobTest, WheelChangeIsAGestureOfItsOwn) {
    knob->setValue(0.5f);
    log.clear();
    frame->onWheel({60, 60}, kMouseWheelAxisY, 1.0f, 0);
    EXPECT_EQ(log, (Log{"listenerBegin", "editorBegin 4", "valueChanged 0.600000", "editorEnd 4",
                        "listenerEnd"}));
    knob->setValue(1.0f);
    redraw();
    log.clear();
    frame->onWheel({60, 60}, kMouseWheelAxisY, 1.0f, 0);
    EXPECT_TRUE(log.empty()) << "no change at the end of the range, no gesture";
}

TEST_F(KnobTest, HandlePointFollowsTheAngleClockwise) {
    // 24 x 24 with inset 3: a radius of 9 around (12, 12), plus the half-pixel.
    const CPoint minimum = knob->valueToPoint(0.0f);
    EXPECT_NEAR(minimum.x, 12 - 9 / std::sqrt(2.0) + 0.5, 1e-5);
    EXPECT_NEAR(minimum.y, 12 + 9 / std::sqrt(2.0) + 0.5, 1e-5);
    const CPoint middle = knob->valueToPoint(0.5f);
    EXPECT_NEAR(middle.x, 12.5, 1e-5);
    EXPECT_NEAR(middle.y, 3.5, 1e-5);
    const CPoint maximum = knob->valueToPoint(1.0f);
    EXPECT_NEAR(maximum.x, 12 + 9 / std::sqrt(2.0) + 0.5, 1e-5);
    EXPECT_NEAR(maximum.y, 12 + 9 / std::sqrt(2.0) + 0.5, 1e-5);
}

TEST_F(KnobTest, FilmStripKnobCountsItsImagesFromTheBitmap) {
    auto* strip = new CBitmap(guitest::numberedStrip(131, 20, 10));
    auto* anim = add(new CAnimKnob(CRect(0, 0, 20, 10), &listener, 1, 0, 0.0, strip));
    strip->forget();
    EXPECT_EQ(anim->getHeightOfOneImage(), 10.0) << "0 means the view's height";
    EXPECT_EQ(anim->getNumSubPixmaps(), 131);
    anim->setHeightOfOneImage(20.0);
    EXPECT_EQ(anim->getNumSubPixmaps(), 65);
}

}  // namespace
