// What the controls draw, read back from an off-screen frame.
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/CFontDesc.h"
#include "gui/COnOffButton.h"
#include "gui/CTextButton.h"
#include "gui/CTextLabel.h"
#include "tests/gui/GuiTestSupport.h"

using namespace VSTGUI;
using namespace guitest;

namespace {

class PixelTest : public OffscreenTest {
protected:
    // Counts the pixels of `area` for which `test` holds.
    template <typename Test>
    int countPixels(const CRect& area, Test test) const {
        int count = 0;
        for (int y = static_cast<int>(area.top); y < area.bottom; ++y)
            for (int x = static_cast<int>(area.left); x < area.right; ++x)
                if (test(pixel(x, y))) ++count;
        return count;
    }
};

TEST_F(PixelTest, FilmStripShowsTheImageOfTheValue) {
    auto* strip = new CBitmap(numberedStrip(131, 20, 10));
    auto* knob = add(new CAnimKnob(CRect(10, 10, 30, 20), &listener, 0, 131, 10, strip));
    strip->forget();
    const std::pair<float, int> cases[] = {{0.0f, 0}, {0.5f, 65}, {0.999f, 129}, {1.0f, 130}};
    for (const auto& [value, image] : cases) {
        knob->setValue(value);
        redraw();
        EXPECT_EQ(stripFrameNumber(pixel(10, 10)), image) << "value " << value;
        EXPECT_EQ(stripFrameNumber(pixel(29, 19)), image) << "the whole image, not a slice";
    }
    knob->setInverseBitmap(true);
    knob->setValue(0.0f);
    knob->setDirty();
    redraw();
    EXPECT_EQ(stripFrameNumber(pixel(15, 15)), 130);
}

TEST_F(PixelTest, TwoStateSwitchShowsTheLowerHalfWhenOn) {
    auto* strip = new CBitmap(numberedStrip(2, 20, 10));
    auto* button = add(new COnOffButton(CRect(40, 10, 60, 20), &listener, 0, strip));
    strip->forget();
    redraw();
    EXPECT_EQ(stripFrameNumber(pixel(45, 15)), 0);
    button->setValue(1.0f);
    redraw();
    EXPECT_EQ(stripFrameNumber(pixel(45, 15)), 1);
}

TEST_F(PixelTest, LineHandleIsWhiteWithAGreyShadowBelowLeft) {
    auto* knob = add(new CKnob(CRect(50, 50, 74, 74), &listener, 0, nullptr));
    const auto white = [](uint32_t p) { return greenOf(p) > 200; };
    const auto grey = [](uint32_t p) {
        return greenOf(p) > 60 && greenOf(p) < 160 && redOf(p) == greenOf(p);
    };
    knob->setValue(0.5f);  // straight up from the centre (62, 61), 9 pixels long
    redraw();
    EXPECT_GE(countPixels(CRect(61, 52, 64, 61), white), 4);
    EXPECT_EQ(countPixels(CRect(50, 50, 74, 51), white), 0) << "the outer end stops short";
    EXPECT_EQ(countPixels(CRect(50, 50, 60, 74), white), 0);
    EXPECT_EQ(countPixels(CRect(64, 50, 74, 74), white), 0);
    EXPECT_GT(countPixels(CRect(60, 53, 62, 63), grey), 3) << "the shadow, one pixel left";

    knob->setValue(1.0f);  // towards the lower right
    redraw();
    EXPECT_GT(countPixels(CRect(62, 60, 70, 69), white), 4);
    EXPECT_EQ(countPixels(CRect(50, 50, 74, 59), white), 0);
    EXPECT_EQ(countPixels(CRect(50, 50, 61, 74), white), 0);
}

TEST_F(PixelTest, TextButtonBodyAndTitleInBothStates) {
    auto* button = add(new CTextButton(CRect(10, 100, 90, 130), &listener, 22, "COPY"));
    redraw();
    const uint32_t idleBody = pixel(14, 115);
    EXPECT_NEAR(redOf(idleBody), 200, 12) << "the light gradient, halfway down";
    EXPECT_GT(countPixels(CRect(20, 105, 80, 125),
                          [](uint32_t p) { return redOf(p) < 60 && alphaOf(p) == 255; }),
              10)
        << "black title text";
    button->setValue(1.0f);
    redraw();
    const uint32_t pressedBody = pixel(14, 115);
    EXPECT_NEAR(redOf(pressedBody), 140, 12) << "the dark gradient";
    EXPECT_GT(countPixels(CRect(20, 105, 80, 125), [](uint32_t p) { return redOf(p) > 240; }), 10)
        << "white title text";
    EXPECT_EQ(pixel(10, 100), 0xff000000u) << "rounded corners leave the corner pixel alone";

    button->setGradient(nullptr);
    button->setTextColor(kWhiteCColor);
    button->setValue(0.0f);
    redraw();
    EXPECT_EQ(pixel(14, 115), 0xff000000u) << "without a gradient there is no body";
}

TEST_F(PixelTest, LabelFillsItsBackAndDrawsItsText) {
    auto* label = add(new CTextLabel(CRect(100, 10, 190, 40), "Ratio"));
    label->setBackColor({0, 0, 200, 255});
    label->setFontColor({255, 200, 0, 255});
    label->setFont(new CFontDesc("Verdana", 16));
    label->getFont()->forget();
    redraw();
    EXPECT_EQ(pixel(102, 12), 0xff0000c8u);
    EXPECT_GT(countPixels(CRect(100, 10, 190, 40), [](uint32_t p) { return redOf(p) > 240; }), 20);

    label->setTransparency(true);
    label->setDirty();
    redraw();
    EXPECT_EQ(pixel(102, 12), 0xff000000u) << "a transparent label draws no back";
    label->setStyle(kNoTextStyle);
    redraw();
    EXPECT_EQ(countPixels(CRect(100, 10, 190, 40), [](uint32_t p) { return redOf(p) > 100; }), 0);
}

TEST_F(PixelTest, FrameBackgroundIsItsBitmapOrItsColour) {
    frame->setBackgroundColor({30, 30, 30, 255});
    frame->invalid();
    redraw();
    EXPECT_EQ(pixel(199, 149), 0xff1e1e1eu);
    auto* picture = new CBitmap(numberedStrip(1, 200, 150));
    frame->setBackground(picture);
    picture->forget();
    frame->invalid();
    redraw();
    EXPECT_EQ(pixel(199, 149), 0xff00ff80u) << "the picture covers the colour";
}

TEST_F(PixelTest, MissingImageDrawsNothing) {
    auto* missing = new CBitmap(999);
    EXPECT_EQ(missing->getWidth(), 0);
    auto* knob = add(new CAnimKnob(CRect(10, 10, 30, 20), &listener, 0, 131, 10, missing));
    missing->forget();
    knob->setValue(0.5f);
    redraw();
    EXPECT_EQ(pixel(15, 15), 0xff000000u);
}

}  // namespace
