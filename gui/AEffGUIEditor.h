// The VST 2.4 editor built on the toolkit: it hands the host its rectangle, runs the
// frame's idle, passes keys and the wheel to the frame, and the controls' edit gestures
// to the effect.
#pragma once

#include "gui/CFrame.h"
#include "gui/VSTGUIEditorInterface.h"
#include "host/AEffEditor.h"

class AEffGUIEditor : public AEffEditor, public VSTGUI::VSTGUIEditorInterface {
public:
    explicit AEffGUIEditor(AudioEffect* effect);

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    bool isOpen() override { return frame != nullptr; }
    void idle() override;
    bool onKeyDown(VstKeyCode& key) override;
    bool onKeyUp(VstKeyCode& key) override;
    bool onWheel(float distance) override;
    // One knob mode for every knob of the library.
    bool setKnobMode(VstInt32 mode) override;

    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    int32_t getKnobMode() const override;

    VSTGUI::CFrame* getFrame() const { return frame; }

protected:
    ERect rect{};
    VSTGUI::CFrame* frame = nullptr;
};
