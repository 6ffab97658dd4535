// Controls and parameters following each other: user changes with their messages and
// auto-gain requests, host changes from any thread, hover read-outs, meters and the
// 60 ms tick on an injected clock.
#include <thread>

#include "gui/CTextLabel.h"
#include "tests/editor/EditorTestSupport.h"

using namespace VSTGUI;
using editortest::EditorTest;
using editortest::hostRequests;

namespace {

constexpr int kAutoGainIndex = 9;

TEST_F(EditorTest, DraggingRatioReachesTheHostAsOneGestureOfRisingValues) {
    openWindow();
    effect->setParameter(4, 0.5f);
    editor->idle();  // drawn at 0.5, as the user sees it before the drag
    hostRequests().clear();
    CPoint p(688, 495);
    editor->getFrame()->onMouseDown(p, kLButton);
    for (int y = 494; y >= 480; --y) {
        p = {688, static_cast<double>(y)};
        editor->getFrame()->onMouseMoved(p, kLButton);
    }
    editor->getFrame()->onMouseUp(p, kLButton);

    std::vector<VstInt32> order;
    for (const auto& request : hostRequests())
        if (request.opcode == audioMasterBeginEdit || request.opcode == audioMasterEndEdit ||
            request.opcode == audioMasterAutomate)
            order.push_back(request.opcode);
    ASSERT_GE(order.size(), 3u);
    EXPECT_EQ(order.front(), audioMasterBeginEdit);
    EXPECT_EQ(order.back(), audioMasterEndEdit);
    EXPECT_EQ(hostRequests().front().index, 4);
    const std::vector<float> values = automationOf(4);
    ASSERT_EQ(values.size(), 15u) << "one request per pixel";
    for (std::size_t i = 1; i < values.size(); ++i) EXPECT_GT(values[i], values[i - 1]);
    EXPECT_NEAR(effect->getParameter(4), 0.575f, 1e-5f);
    EXPECT_EQ(readout(), "Ratio 57.50");
}

TEST_F(EditorTest, HostChangeMovesTheControlAndLeavesTheReadout) {
    openWindow();
    userSets(2, 0.3f);
    const std::string message = readout();
    effect->setParameter(4, 0.65f);
    EXPECT_EQ(control(4)->getValue(), 0.65f);
    EXPECT_EQ(readout(), message);
    EXPECT_TRUE(automationOf(4).empty()) << "a host change is not sent back";
}

TEST_F(EditorTest, ChangeFromAnotherThreadLandsAtTheNextIdle) {
    openWindow();
    std::thread automation([this] { effect->setParameter(3, 0.9f); });
    automation.join();
    EXPECT_NE(control(3)->getValue(), 0.9f) << "no view is touched from another thread";
    editor->idle();
    EXPECT_EQ(control(3)->getValue(), 0.9f);
}

TEST_F(EditorTest, ChangeFromAnotherThreadWhileClosedIsHarmless) {
    openWindow();
    editor->close();
    std::thread automation([this] { effect->setParameter(5, 0.4f); });
    automation.join();
    editor->idle();
    openWindow();
    EXPECT_EQ(control(5)->getValue(), 0.4f);
}

TEST_F(EditorTest, ChangeMessagesAndHoverMessagesDiffer) {
    openWindow();
    userSets(5, 0.25f);
    EXPECT_EQ(readout(), "Polarisation 25.00");
    screen().setMouse({200, 340});  // over the left grid control
    idleFor(1100);
    EXPECT_EQ(readout(), "Grid Left 25.00");
    effect->setParameter(7, 0.3f);
    screen().setMouse({866, 19});  // over the dry/wet knob
    idleFor(1100);
    EXPECT_EQ(readout(), "Dry 70.0 Wet 30.0 %");
    screen().setMouse({500, 620});  // over no control: the line keeps its text
    idleFor(1100);
    EXPECT_EQ(readout(), "Dry 70.0 Wet 30.0 %");
}

TEST_F(EditorTest, HoverWaitsASecondAndSurvivesTheClockWrapping) {
    now = 0xffffff00u;
    openWindow();
    userSets(4, 0.5f);
    screen().setMouse({688, 495});
    editor->content().getAutoGain() = AutoGain();
    idleFor(900);
    EXPECT_EQ(readout(), "Ratio 50.00");
    effect->setParameter(4, 0.25f);
    idleFor(400);  // past the wrap of the 32-bit counter
    EXPECT_EQ(readout(), "Ratio 25.00");
}

TEST_F(EditorTest, MetersShowTheReductionEverySixtyMilliseconds) {
    openWindow();
    effect->reductionLeft = 0.4f;
    effect->reductionRight = 0.1f;
    idleFor(70);
    const std::vector<CView*>& views = editor->getFrame()->getViews();
    EXPECT_FLOAT_EQ(dynamic_cast<CControl*>(views[15])->getValue(), 0.6f);
    EXPECT_FLOAT_EQ(dynamic_cast<CControl*>(views[16])->getValue(), 0.9f);
}

TEST_F(EditorTest, AutoGainRequestsFollowTheRules) {
    openWindow();
    effect->setParameter(kAutoGainIndex, 0.0f);
    userSets(3, 0.4f);
    EXPECT_FALSE(editor->content().getAutoGain().autoGainRefreshRequested) << "auto-gain off";
    userSets(kAutoGainIndex, 1.0f);
    EXPECT_TRUE(editor->content().getAutoGain().autoGainRefreshRequested) << "the switch always asks";
    editor->content().getAutoGain().autoGainRefreshRequested = false;
    userSets(1, 0.5f);
    EXPECT_FALSE(editor->content().getAutoGain().autoGainRefreshRequested) << "volume never asks";
    userSets(10, 1.0f);
    EXPECT_TRUE(editor->content().getAutoGain().autoGainRefreshRequested);
}

TEST_F(EditorTest, RaisingInputGainLowersOutputVolumeByAsMuch) {
    openWindow();
    effect->setParameter(kAutoGainIndex, 1.0f);
    effect->setParameter(0, 0.2f);
    effect->setParameter(1, 0.8f);
    hostRequests().clear();
    userSets(0, 0.3f);
    EXPECT_NEAR(effect->getParameter(1), 0.7f, 1e-6f);
    ASSERT_EQ(automationOf(1).size(), 1u);
    EXPECT_TRUE(editor->content().getAutoGain().autoGainRefreshRequested);
    userSets(0, 0.1f);
    EXPECT_NEAR(effect->getParameter(1), 0.7f, 1e-6f) << "lowering the input leaves it";
    effect->setParameter(1, 0.05f);
    userSets(0, 0.5f);
    EXPECT_EQ(effect->getParameter(1), 0.0f) << "not below 0";
    EXPECT_EQ(control(1)->getValue(), 0.0f) << "the knob follows";
}

TEST_F(EditorTest, AutoGainLevelsTheOutputThroughIdle) {
    openWindow();
    effect->setParameter(kAutoGainIndex, 1.0f);
    effect->setParameter(1, 1.0f);
    effect->inputLevel = 0.25f;
    effect->outputLevel = 0.5f;
    userSets(2, 0.3f);  // any sound control asks for a measurement while auto-gain is on
    idleFor(3000, 15);
    EXPECT_NEAR(effect->getParameter(1), 0.8796f, 1e-3f);
    EXPECT_NEAR(control(1)->getValue(), 0.8796f, 1e-3f);
}

TEST_F(EditorTest, AutoGainPausesWhileTheWindowIsClosed) {
    openWindow();
    effect->setParameter(kAutoGainIndex, 1.0f);
    effect->inputLevel = 0.25f;
    effect->outputLevel = 0.5f;
    userSets(2, 0.3f);
    editor->close();
    for (int i = 0; i < 100; ++i) {
        now += 60;
        editor->idle();
    }
    EXPECT_EQ(effect->getParameter(1), 1.0f);
    EXPECT_TRUE(editor->content().getAutoGain().autoGainRefreshRequested) << "kept for the next opening";
}

}  // namespace
