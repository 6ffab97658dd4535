#include "tests/editor/EditorTestSupport.h"

#include "gui/CTextButton.h"
#include "gui/platform/PlatformFrame.h"

namespace editortest {

std::vector<HostRequest>& hostRequests() {
    static std::vector<HostRequest> requests;
    return requests;
}

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    hostRequests().push_back({opcode, index, opt});
    return opcode == audioMasterVersion ? kVstVersion : 0;
}

void pressButton(RovuduradirEditor& editor, int32_t tag) {
    for (VSTGUI::CView* view : editor.getFrame()->getViews()) {
        auto* button = dynamic_cast<VSTGUI::CTextButton*>(view);
        if (!button || button->getTag() != tag) continue;
        button->setValue(1.0f);
        button->valueChanged();
        button->setValue(0.0f);
        button->valueChanged();
    }
}

void EditorTest::SetUp() {
    VSTGUI::platform::setPlatformFrameFactory(VSTGUI::platform::OffscreenFrame::create);
    effect = std::make_unique<MeteredEffect>();
    editor = dynamic_cast<RovuduradirEditor*>(effect->getEditor());
    ASSERT_NE(editor, nullptr);
    editor->content().setTickSource([this] { return now; });
    hostRequests().clear();
}

void EditorTest::TearDown() {
    effect.reset();
    VSTGUI::platform::setPlatformFrameFactory(nullptr);
}

void EditorTest::openWindow() {
    ASSERT_TRUE(editor->open(nullptr));
    editor->idle();
}

void EditorTest::idleFor(uint32_t milliseconds, uint32_t step) {
    for (uint32_t elapsed = 0; elapsed < milliseconds; elapsed += step) {
        now += step;
        editor->idle();
    }
}

VSTGUI::platform::OffscreenFrame& EditorTest::screen() const {
    return *dynamic_cast<VSTGUI::platform::OffscreenFrame*>(editor->getFrame()->getPlatformFrame());
}

void EditorTest::userSets(int index, float value) {
    VSTGUI::CControl* c = control(index);
    c->setValue(value);
    c->valueChanged();
}

std::vector<float> EditorTest::automationOf(VstInt32 index) const {
    std::vector<float> values;
    for (const HostRequest& request : hostRequests())
        if (request.opcode == audioMasterAutomate && request.index == index)
            values.push_back(request.opt);
    return values;
}

}  // namespace editortest
