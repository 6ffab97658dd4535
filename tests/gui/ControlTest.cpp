// The value model every control shares, and the order in which an edit gesture reaches
// the listener, the dependents and the editor.
#include "gui/CKnob.h"
#include "gui/CTextLabel.h"
#include "tests/gui/GuiTestSupport.h"

#include <cmath>

using namespace VSTGUI;
using guitest::Log;
using guitest::RecordingDependent;

namespace {

class ControlTest : public guitest::OffscreenTest {
protected:
    CKnob* knob = nullptr;
    void SetUp() override {
        OffscreenTest::SetUp();
        knob = add(new CKnob(CRect(10, 10, 34, 34), &listener, 4, nullptr));
        redraw();
        log.clear();
    }
};

TEST_F(ControlTest, SetValueClampsAndNeitherDirtiesNorCallsTheListener) {
    RecordingDependent dependent(log);
    knob->addDependent(&dependent);
    knob->setValue(0.25f);
    EXPECT_EQ(knob->getValue(), 0.25f);
    EXPECT_EQ(log, Log{"kMessageValueChanged"});  // dependents hear it, the listener does not
    knob->setValue(0.25f);
    EXPECT_EQ(log.size(), 1u) << "the same value again tells nobody";
    knob->setValue(7.0f);
    EXPECT_EQ(knob->getValue(), 1.0f);
    knob->setValue(-3.0f);
    EXPECT_EQ(knob->getValue(), 0.0f);
    knob->setValue(std::nanf(""));
    EXPECT_EQ(knob->getValue(), 0.0f) << "a NaN from a host must not leave the range";
    EXPECT_TRUE(listener.values.empty());
    knob->removeDependent(&dependent);
}

TEST_F(ControlTest, DirtyStateFollowsTheLastDrawnValue) {
    EXPECT_FALSE(knob->isDirty());
    knob->setValue(0.6f);
    EXPECT_TRUE(knob->isDirty()) << "a new value differs from the one drawn";
    redraw();
    EXPECT_FALSE(knob->isDirty());
    knob->setValue(-1.0f);  // clamped to 0
    knob->setMin(-2.0f);
    knob->setValue(-1.0f);
    knob->setDirty(false);
    knob->setDirty(true);
    EXPECT_EQ(knob->getOldValue(), 0.0f) << "the marker must differ from a value of -1";
    EXPECT_TRUE(knob->isDirty());
}

TEST_F(ControlTest, NormalisedValueAndBoundsChanges) {
    knob->setMin(-1.0f);
    knob->setMax(3.0f);
    knob->setValueNormalized(0.75f);
    EXPECT_EQ(knob->getValue(), 2.0f);
    EXPECT_EQ(knob->getValueNormalized(), 0.75f);
    knob->setValueNormalized(1.5f);
    EXPECT_EQ(knob->getValue(), 3.0f);
    knob->setMax(1.0f);
    EXPECT_EQ(knob->getValue(), 1.0f) << "a narrower range bounds the value at once";
}

TEST_F(ControlTest, NestedGesturesMakeOneGestureInOrder) {
    RecordingDependent dependent(log);
    knob->addDependent(&dependent);
    knob->beginEdit();
    knob->beginEdit();
    knob->endEdit();
    EXPECT_TRUE(knob->isEditing());
    knob->endEdit();
    knob->endEdit();  // unmatched: ignored
    EXPECT_EQ(log, (Log{"listenerBegin", "kMessageBeginEdit", "editorBegin 4", "editorEnd 4",
                        "listenerEnd", "kMessageEndEdit"}));
    knob->removeDependent(&dependent);
}

TEST_F(ControlTest, ValueChangedTellsTheListenerThenTheDependents) {
    RecordingDependent dependent(log);
    knob->addDependent(&dependent);
    knob->setValue(0.3f);
    log.clear();
    knob->valueChanged();
    EXPECT_EQ(log, (Log{"valueChanged 0.300000", "kMessageValueChanged"}));
    knob->removeDependent(&dependent);
}

TEST_F(ControlTest, TextLabelRedrawsOnlyForANewText) {
    auto* label = add(new CTextLabel(CRect(0, 100, 100, 120), "---"));
    redraw();
    const int paints = screen().paintCount();
    label->setText("Ratio 50.00");
    redraw();
    EXPECT_EQ(screen().paintCount(), paints + 1);
    label->setText("Ratio 50.00");
    redraw();
    EXPECT_EQ(screen().paintCount(), paints + 1) << "the same text twice is drawn once";
    EXPECT_EQ(label->getText(), "Ratio 50.00");
}

}  // namespace
