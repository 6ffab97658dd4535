// Switches, kick buttons and text buttons: what each reports for a release inside and
// outside, and for the Return key.
#include "gui/COnOffButton.h"
#include "gui/CKickButton.h"
#include "gui/CTextButton.h"
#include "tests/gui/GuiTestSupport.h"

using namespace VSTGUI;
using guitest::Log;

namespace {

class ButtonTest : public guitest::OffscreenTest {
protected:
    void SetUp() override {
        OffscreenTest::SetUp();
        onOff = add(new COnOffButton(CRect(0, 0, 40, 20), &listener, 8, nullptr));
        kick = add(new CKickButton(CRect(50, 0, 90, 20), &listener, 16, nullptr));
        kickText = add(new CTextButton(CRect(100, 0, 150, 20), &listener, 22, "COPY"));
        onOffText = add(new CTextButton(CRect(100, 30, 150, 50), &listener, 30, "ON",
                                        CTextButton::kOnOffStyle));
        redraw();
        log.clear();
    }

    void click(CPoint down, CPoint up) {
        frame->onMouseDown(down, kLButton);
        frame->onMouseMoved(up, kLButton);
        frame->onMouseUp(up, kLButton);
    }

    COnOffButton* onOff = nullptr;
    CKickButton* kick = nullptr;
    CTextButton* kickText = nullptr;
    CTextButton* onOffText = nullptr;
};

TEST_F(ButtonTest, OnOffFlipsOnlyWhenReleasedOverItself) {
    click({10, 10}, {20, 15});
    EXPECT_EQ(onOff->getValue(), 1.0f);
    EXPECT_EQ(log, (Log{"listenerBegin", "editorBegin 8", "valueChanged 1.000000", "editorEnd 8",
                        "listenerEnd"}));
    log.clear();
    click({10, 10}, {40, 10});  // the right edge is outside
    EXPECT_EQ(onOff->getValue(), 1.0f);
    EXPECT_EQ(log, (Log{"listenerBegin", "editorBegin 8", "editorEnd 8", "listenerEnd"}))
        << "kept its value, and still closed the gesture";
    click({10, 10}, {0, 0});
    EXPECT_EQ(onOff->getValue(), 0.0f);
}

TEST_F(ButtonTest, OnOffReturnKeyFlips) {
    KeyCode enter{0, VKEY_RETURN, 0};
    EXPECT_EQ(onOff->onKeyDown(enter), 1);
    EXPECT_EQ(onOff->getValue(), 1.0f);
    KeyCode shiftedEnter{0, VKEY_RETURN, MODIFIER_SHIFT};
    EXPECT_EQ(onOff->onKeyDown(shiftedEnter), -1);
    EXPECT_EQ(onOff->getValue(), 1.0f);
}

TEST_F(ButtonTest, KickReportsMaximumThenMinimumInside) {
    click({60, 10}, {90, 20});  // edges included
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(kick->getValue(), 0.0f);
}

TEST_F(ButtonTest, KickDraggedOutReportsOnlyTheMinimum) {
    CPoint p(60, 10);
    frame->onMouseDown(p, kLButton);
    EXPECT_EQ(kick->getValue(), 1.0f) << "pressed while held over itself";
    EXPECT_TRUE(listener.values.empty()) << "no report during the press";
    p = {95, 10};
    frame->onMouseMoved(p, kLButton);
    EXPECT_EQ(kick->getValue(), 0.0f);
    frame->onMouseUp(p, kLButton);
    EXPECT_EQ(listener.values, std::vector<float>{0.0f});
}

TEST_F(ButtonTest, KickReturnDownThenUp) {
    KeyCode enter{0, VKEY_RETURN, 0};
    EXPECT_EQ(kick->onKeyDown(enter), 1);
    EXPECT_EQ(kick->onKeyUp(enter), 1);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorBegin 16"), 1);
    EXPECT_EQ(std::count(log.begin(), log.end(), "editorEnd 16"), 1);
}

TEST_F(ButtonTest, KickStyleTextButtonReportsOneThenZeroInOneGesture) {
    click({110, 5}, {120, 10});
    EXPECT_EQ(log, (Log{"listenerBegin", "editorBegin 22", "valueChanged 1.000000",
                        "valueChanged 0.000000", "editorEnd 22", "listenerEnd"}));
    log.clear();
    click({110, 5}, {160, 10});
    EXPECT_EQ(log, (Log{"listenerBegin", "editorBegin 22", "editorEnd 22", "listenerEnd"}))
        << "released outside: nothing reported";
    log.clear();
    KeyCode enter{0, VKEY_RETURN, 0};
    EXPECT_EQ(kickText->onKeyDown(enter), 1);
    EXPECT_EQ(listener.values.back(), 0.0f);
    EXPECT_EQ(std::count(log.begin(), log.end(), "valueChanged 1.000000"), 1);
}

TEST_F(ButtonTest, OnOffStyleTextButtonFlipsOnce) {
    click({110, 35}, {110, 35});
    EXPECT_EQ(listener.values, std::vector<float>{1.0f});
    click({110, 35}, {110, 35});
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
    CPoint p(110, 35);
    frame->onMouseDown(p, kLButton);
    EXPECT_EQ(onOffText->getValue(), 1.0f);
    frame->onMouseCancel();
    EXPECT_EQ(onOffText->getValue(), 0.0f) << "a cancel goes back to the entry value";
    EXPECT_FALSE(onOffText->isEditing());
}

}  // namespace
