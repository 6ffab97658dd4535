// The editor's window: its size, the 26 views in their order with their rectangles,
// classes, tags and values, and opening, closing and reopening it.
#include <typeinfo>

#include "editor/EditorLayout.h"
#include "editor/VireRude_StaticVectorImage.h"
#include "editor/VireRude_VectorKnob.h"
#include "gui/CAnimKnob.h"
#include "gui/CBitmap.h"
#include "gui/COnOffButton.h"
#include "gui/CTextButton.h"
#include "gui/CTextLabel.h"
#include "gui/platform/cairo/CairoBitmap.h"
#include "tests/editor/EditorTestSupport.h"

using namespace VSTGUI;
using editortest::EditorTest;

namespace {

struct ExpectedView {
    const std::type_info& type;
    CRect rect;
    int32_t tag;  // -1 for labels
};

CRect rectOf(const layout::Rect& r) { return CRect(r.left, r.top, r.right, r.bottom); }
CRect rectOf(const layout::StripControl& c) { return rectOf(c.rect()); }

// In the order the views are added: later ones are drawn over earlier ones.
const ExpectedView kLayout[] = {
    {typeid(VireRude_StaticVectorImage), rectOf(layout::kCorners[0].rect), 16},
    {typeid(VireRude_StaticVectorImage), rectOf(layout::kCorners[1].rect), 17},
    {typeid(VireRude_StaticVectorImage), rectOf(layout::kCorners[2].rect), 18},
    {typeid(VireRude_StaticVectorImage), rectOf(layout::kCorners[3].rect), 19},
    {typeid(CTextLabel), rectOf(layout::kTitle), -1},
    {typeid(CTextLabel), rectOf(layout::kVendorTop), -1},
    {typeid(CTextLabel), rectOf(layout::kVendorBottom), -1},
    {typeid(CTextLabel), rectOf(layout::kReadout), -1},
    {typeid(CAnimKnob), rectOf(layout::kInputGainKnob), 0},
    {typeid(CAnimKnob), rectOf(layout::kOutputVolumeKnob), 1},
    {typeid(CAnimKnob), rectOf(layout::kAttackKnob), 2},
    {typeid(CAnimKnob), rectOf(layout::kReleaseKnob), 3},
    {typeid(CAnimKnob), rectOf(layout::kRatioKnob), 4},
    {typeid(CAnimKnob), rectOf(layout::kLeftGridControl), 5},
    {typeid(CAnimKnob), rectOf(layout::kRightGridControl), 6},
    {typeid(CAnimKnob), rectOf(layout::kLeftMeter), 11},
    {typeid(CAnimKnob), rectOf(layout::kRightMeter), 11},
    {typeid(COnOffButton), rectOf(layout::kAutoGainSwitch), 9},
    {typeid(COnOffButton), rectOf(layout::kPowerSwitch), 8},
    {typeid(CAnimKnob), rectOf(layout::kSidechainSwitch), 10},
    {typeid(CTextButton), rectOf(layout::kPresetButtons[0].rect), 20},
    {typeid(CTextButton), rectOf(layout::kPresetButtons[1].rect), 21},
    {typeid(CTextButton), rectOf(layout::kPresetButtons[2].rect), 22},
    {typeid(CTextButton), rectOf(layout::kPresetButtons[3].rect), 23},
    {typeid(CTextLabel), rectOf(layout::kDryWetCaption), -1},
    {typeid(VireRude_VectorKnob), rectOf(layout::kDryWetKnob), 7},
};

TEST_F(EditorTest, RectangleIsKnownBeforeTheWindowOpens) {
    ERect* rect = nullptr;
    ASSERT_TRUE(editor->getRect(&rect));
    EXPECT_EQ(rect->top, 0);
    EXPECT_EQ(rect->left, 0);
    EXPECT_EQ(rect->bottom, 700);
    EXPECT_EQ(rect->right, 1000);
    EXPECT_FALSE(editor->isOpen());
}

TEST_F(EditorTest, WindowHoldsTheTwentySixViewsInOrder) {
    ASSERT_TRUE(editor->open(nullptr));  // before the first idle sets the meters
    const std::vector<CView*>& views = editor->getFrame()->getViews();
    ASSERT_EQ(views.size(), std::size(kLayout));
    for (std::size_t i = 0; i < views.size(); ++i) {
        SCOPED_TRACE("view " + std::to_string(i + 1));
        EXPECT_EQ(typeid(*views[i]), kLayout[i].type);
        EXPECT_EQ(views[i]->getViewSize(), kLayout[i].rect);
        auto* control = dynamic_cast<CControl*>(views[i]);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->getTag(), kLayout[i].tag);
        if (kLayout[i].tag >= 0 && kLayout[i].tag <= 10) {
            EXPECT_EQ(control->getValue(), effect->getParameter(kLayout[i].tag));
        }
    }
    auto* readout = dynamic_cast<CTextLabel*>(views[7]);
    EXPECT_EQ(readout->getText(), "---");
    EXPECT_EQ(dynamic_cast<CTextLabel*>(views[4])->getText(), "Marvolenzik");
    EXPECT_EQ(dynamic_cast<CTextLabel*>(views[24])->getText(), "dry/wet balance");
    EXPECT_EQ(dynamic_cast<CTextButton*>(views[23])->getTitle(), "PASTE");
    EXPECT_EQ(dynamic_cast<CAnimKnob*>(views[8])->getNumSubPixmaps(), 131);
    EXPECT_EQ(dynamic_cast<CAnimKnob*>(views[13])->getNumSubPixmaps(), 9);
    EXPECT_EQ(dynamic_cast<CAnimKnob*>(views[19])->getNumSubPixmaps(), 3);
    EXPECT_EQ(dynamic_cast<CControl*>(views[15])->getValue(), 0.0f) << "meters start at 0";
    EXPECT_EQ(dynamic_cast<VireRude_StaticVectorImage*>(views[1])->shapeKind, 4);
    EXPECT_FLOAT_EQ(dynamic_cast<VireRude_StaticVectorImage*>(views[3])->shapeFraction, 0.15f);
}

TEST_F(EditorTest, ReopeningShowsTheValuesOfTheSecondOpening) {
    openWindow();
    userSets(4, 0.3f);
    EXPECT_EQ(readout(), "Ratio 30.00");
    editor->close();
    EXPECT_FALSE(editor->isOpen());
    effect->setParameter(4, 0.9f);   // while closed: no view is touched
    effect->setParameter(0, 0.125f);
    openWindow();
    EXPECT_EQ(control(4)->getValue(), 0.9f);
    EXPECT_EQ(control(0)->getValue(), 0.125f);
    EXPECT_EQ(dynamic_cast<CTextLabel*>(editor->getFrame()->getViews()[7])->getText(), "---");
}

TEST_F(EditorTest, OpeningTwiceReplacesTheWindow) {
    openWindow();
    CFrame* first = editor->getFrame();
    ASSERT_TRUE(editor->open(nullptr));
    EXPECT_NE(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getFrame()->getViews().size(), 26u);
    (void)first;  // released by the second open; only the new one may be touched
}

TEST_F(EditorTest, DestroyingTheEffectWithTheWindowOpenClosesIt) {
    openWindow();
    effect.reset();  // under the sanitizer build, a leak or a use after free shows here
    SUCCEED();
}

TEST_F(EditorTest, ClosedWindowIgnoresParameterAndIdleCalls) {
    effect->setParameter(3, 0.7f);
    editor->idle();
    EXPECT_EQ(editor->getFrame(), nullptr);
    EXPECT_EQ(control(3), nullptr);
}

TEST_F(EditorTest, DefaultPictureShowsTheBackgroundUnderTheViews) {
    openWindow();
    // Away from every view, the window shows the background image, not the frame's colour.
    auto background = SharedPointer<CBitmap>::adopt(new CBitmap(layout::kBackground.resource));
    auto* pixels = dynamic_cast<platform::CairoBitmap*>(background->getPlatformBitmap());
    ASSERT_NE(pixels, nullptr);
    cairo_surface_t* image = pixels->getSurface();
    cairo_surface_flush(image);
    const auto* row = reinterpret_cast<const uint32_t*>(cairo_image_surface_get_data(image) +
                                                        620 * cairo_image_surface_get_stride(image));
    EXPECT_EQ(screen().pixel(500, 620), row[500]);
    EXPECT_NE(screen().pixel(500, 620), 0xff1e1e1eu) << "the frame's own colour";
}

}  // namespace
