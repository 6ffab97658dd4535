#include "gui/vst2/AEffGUIEditor.h"

#include <atomic>

namespace {

std::atomic<VstInt32> sharedKnobMode{0};

VSTGUI::KeyCode toolkitKey(const VstKeyCode& key) {
    VSTGUI::KeyCode converted;
    converted.character = key.character;
    converted.virt = key.virt;
    converted.modifier = key.modifier;
    return converted;
}

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {}

bool AEffGUIEditor::getRect(ERect** outRect) {
    if (!outRect) return false;
    *outRect = &rect;
    return true;
}

bool AEffGUIEditor::open(void* parentWindow) {
    AEffEditor::open(parentWindow);
    return true;
}

void AEffGUIEditor::idle() {
    if (frame) frame->idle();
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& key) {
    if (!frame) return false;
    VSTGUI::KeyCode converted = toolkitKey(key);
    return frame->onKeyDown(converted) == 1;
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& key) {
    if (!frame) return false;
    VSTGUI::KeyCode converted = toolkitKey(key);
    return frame->onKeyUp(converted) == 1;
}

bool AEffGUIEditor::onWheel(float distance) {
    if (!frame) return false;
    VSTGUI::CPoint where;
    frame->getCurrentMouseLocation(where);
    return frame->onWheel(where, VSTGUI::kMouseWheelAxisY, distance,
                          frame->getCurrentMouseButtons());
}

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    sharedKnobMode.store(mode, std::memory_order_relaxed);
    return true;
}

VstInt32 AEffGUIEditor::getKnobMode() { return sharedKnobMode.load(std::memory_order_relaxed); }
