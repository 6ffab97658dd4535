// The editor's window: its size, the 26 views in their order with their rectangles,
// classes, tags and values, and opening, closing and reopening it.
#include <typeinfo>

#include "editor/VireRude_StaticVectorImage.h"
#include "editor/VireRude_VectorKnob.h"
#include "gui/CAnimKnob.h"
#include "gui/COnOffButton.h"
#include "gui/CTextButton.h"
#include "gui/CTextLabel.h"
#include "tests/editor/EditorTestSupport.h"

using namespace VSTGUI;
using editortest::EditorTest;

namespace {

struct ExpectedView {
    const std::type_info& type;
    CRect rect;
    int32_t tag;  // -1 for labels
};

const ExpectedView kLayout[] = {
    {typeid(VireRude_StaticVectorImage), {0, 0, 380, 38}, 16},
    {typeid(VireRude_StaticVectorImage), {600, 662, 1000, 700}, 17},
    {typeid(VireRude_StaticVectorImage), {0, 662, 290, 700}, 18},
    {typeid(VireRude_StaticVectorImage), {600, 0, 1000, 38}, 19},
    {typeid(CTextLabel), {96, 0, 323, 36}, -1},
    {typeid(CTextLabel), {7, 1, 100, 21}, -1},
    {typeid(CTextLabel), {7, 17, 100, 37}, -1},
    {typeid(CTextLabel), {10, 671, 250, 691}, -1},
    {typeid(CAnimKnob), {75, 134, 235, 290}, 0},
    {typeid(CAnimKnob), {766, 129, 926, 285}, 1},
    {typeid(CAnimKnob), {75, 424, 235, 580}, 2},
    {typeid(CAnimKnob), {245, 424, 405, 580}, 3},
    {typeid(CAnimKnob), {608, 417, 768, 573}, 4},
    {typeid(CAnimKnob), {114, 299, 382, 392}, 5},
    {typeid(CAnimKnob), {626, 295, 894, 388}, 6},
    {typeid(CAnimKnob), {305, 137, 462, 239}, 11},
    {typeid(CAnimKnob), {538, 138, 695, 240}, 11},
    {typeid(COnOffButton), {467, 355, 526, 460}, 9},
    {typeid(COnOffButton), {422, 478, 566, 581}, 8},
    {typeid(CAnimKnob), {782, 440, 902, 567}, 10},
    {typeid(CTextButton), {365, 10, 415, 30}, 20},
    {typeid(CTextButton), {420, 10, 470, 30}, 21},
    {typeid(CTextButton), {480, 10, 530, 30}, 22},
    {typeid(CTextButton), {535, 10, 585, 30}, 23},
    {typeid(CTextLabel), {890, 9, 990, 29}, -1},
    {typeid(VireRude_VectorKnob), {854, 7, 878, 31}, 7},
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
    // The panel colour of the background, away from every view.
    const uint32_t panel = screen().pixel(500, 620);
    EXPECT_EQ(panel >> 24, 0xffu) << "the frame paints an opaque picture";
}

}  // namespace
