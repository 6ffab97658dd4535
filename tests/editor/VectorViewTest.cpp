// The dry/wet knob's disc and the corner shapes, drawn on an off-screen frame.
#include "editor/VireRude_StaticVectorImage.h"
#include "editor/VireRude_VectorKnob.h"
#include "gui/CFrame.h"
#include "gui/IControlListener.h"
#include "gui/VSTGUIEditorInterface.h"
#include "gui/platform/cairo/OffscreenFrame.h"

#include <gtest/gtest.h>

#include <vector>

using namespace VSTGUI;

namespace {

class NoEditor : public VSTGUIEditorInterface {
public:
    void beginEdit(int32_t) override {}
    void endEdit(int32_t) override {}
};

class ValueLog : public IControlListener {
public:
    void valueChanged(CControl* control) override { values.push_back(control->getValue()); }
    std::vector<float> values;
};

class VectorViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform::setPlatformFrameFactory(platform::OffscreenFrame::create);
        frame = new CFrame(CRect(0, 0, 400, 100), &editor);
        ASSERT_TRUE(frame->open(nullptr));
        frame->setBackgroundColor(kBlackCColor);
    }
    void TearDown() override {
        frame->forget();
        platform::setPlatformFrameFactory(nullptr);
    }
    uint32_t pixel(int x, int y) const {
        return dynamic_cast<platform::OffscreenFrame*>(frame->getPlatformFrame())->pixel(x, y);
    }
    int grey(int x, int y) const { return static_cast<int>((pixel(x, y) >> 8) & 0xff); }

    NoEditor editor;
    ValueLog listener;
    CFrame* frame = nullptr;
};

TEST_F(VectorViewTest, KnobDiscIsAGreyGradientWithABlackOutlineUnderTheHandle) {
    auto* knob = new VireRude_VectorKnob(CRect(10, 10, 34, 34), &listener, 7, nullptr);
    frame->addView(knob);
    frame->setBackgroundColor(kWhiteCColor);
    for (float value : {0.0f, 1.0f}) {
        knob->setValue(value);
        frame->invalid();
        frame->idle();
        EXPECT_GT(grey(22, 14), grey(16, 29)) << "lighter at the top than at the bottom";
        EXPECT_NEAR(grey(18, 14), 86, 10);
        EXPECT_LT(grey(11, 22), 40) << "the outline, one pixel in";
        EXPECT_EQ(grey(10, 10), 255) << "outside the disc";
        EXPECT_GT(grey(16, 27) + grey(17, 27) + grey(28, 27) + grey(27, 27), 400)
            << "the white handle towards one end of the range, at value " << value;
    }
}

TEST_F(VectorViewTest, CornerShapesFadeFromTheOuterEdge) {
    struct Case {
        int32_t kind;
        int insideX, insideY;    // covered by the figure near its faint edge
        int outsideX, outsideY;  // beyond its curve
        bool faintAtBottom;
    };
    const Case cases[] = {
        {0, 5, 97, 395, 97, true},   // left part, curving up to the top-right corner
        {7, 5, 97, 395, 97, true},   // unknown kinds draw kind 0
        {1, 395, 97, 5, 97, true},   // right part, curving down from the top-left corner
        {2, 200, 97, 5, 97, true},   // a band with both ends curved
        {3, 5, 2, 395, 2, false},    // kind 0 upside down
        {4, 395, 2, 5, 2, false},    // kind 1 upside down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("kind " + std::to_string(c.kind));
        frame->removeAll();
        auto* shape = new VireRude_StaticVectorImage(CRect(0, 0, 400, 100), &listener, 16, nullptr);
        shape->shapeKind = c.kind;
        shape->shapeFraction = 0.25f;
        frame->addView(shape);
        frame->invalid();
        frame->idle();
        EXPECT_NEAR(grey(c.insideX, c.insideY), 44, 4) << "alpha 45 of white over black";
        EXPECT_EQ(grey(c.outsideX, c.outsideY), 0);
        const int clearY = c.faintAtBottom ? 1 : 98;
        EXPECT_LT(grey(c.insideX, clearY), 3) << "clear at the outer edge";
    }
}

TEST_F(VectorViewTest, BandOfHalfWidthMeetsInTheMiddle) {
    auto* shape = new VireRude_StaticVectorImage(CRect(0, 0, 400, 100), &listener, 16, nullptr);
    shape->shapeKind = 2;
    shape->shapeFraction = 0.5f;
    frame->addView(shape);
    frame->idle();
    EXPECT_NEAR(grey(200, 98), 44, 5);
    EXPECT_LT(grey(120, 98), grey(200, 98));
}

TEST_F(VectorViewTest, CornerShapeClicksLikeAKickButton) {
    auto* shape = new VireRude_StaticVectorImage(CRect(0, 0, 400, 100), &listener, 16, nullptr);
    frame->addView(shape);
    CPoint p(50, 50);
    frame->onMouseDown(p, kLButton);
    frame->onMouseUp(p, kLButton);
    EXPECT_EQ(listener.values, (std::vector<float>{1.0f, 0.0f}));
}

}  // namespace
