#include "editor/RovuduradirEditor.h"

namespace {

// The knob mode reported to hosts that ask: linear, the only one the knobs have.
constexpr VstInt32 kLinearKnobMode = 2;

}  // namespace

RovuduradirEditor::RovuduradirEditor(AudioEffect* effect, EditorEffect& parameters)
    : AEffGUIEditor(effect), editor(parameters) {
    rect.top = 0;
    rect.left = 0;
    rect.bottom = static_cast<VstInt16>(editor.getHeight());
    rect.right = static_cast<VstInt16>(editor.getWidth());
    setKnobMode(kLinearKnobMode);
}

RovuduradirEditor::~RovuduradirEditor() { close(); }

bool RovuduradirEditor::open(void* parentWindow) {
    close();
    AEffGUIEditor::open(parentWindow);
    if (!editor.open(parentWindow)) {
        AEffEditor::close();
        return false;
    }
    frame = editor.getFrame();
    return true;
}

void RovuduradirEditor::close() {
    frame = nullptr;
    editor.close();
    AEffEditor::close();
}

void RovuduradirEditor::idle() { editor.idle(); }

void RovuduradirEditor::setParameter(VstInt32 index, float) { editor.parameterChanged(index); }
