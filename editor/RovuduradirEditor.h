// The editor as a VST 2.4 editor: the toolkit's VST 2.4 binding around the format-neutral
// editor. The host's requests (rectangle, open, close, idle, keys, wheel) reach the
// window; the effect's parameter changes reach the controls.
#pragma once

#include "editor/EditorCore.h"
#include "gui/vst2/AEffGUIEditor.h"

class RovuduradirEditor : public AEffGUIEditor {
public:
    // Attaches itself to `effect`, which owns it from then on; `parameters` is the same
    // effect as the editor sees it.
    RovuduradirEditor(AudioEffect* effect, EditorEffect& parameters);
    ~RovuduradirEditor() override;

    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    // From any thread: the control follows (see EditorCore::parameterChanged).
    void setParameter(VstInt32 index, float value) override;

    EditorCore& content() { return editor; }

private:
    EditorCore editor;
};
