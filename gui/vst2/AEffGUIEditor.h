// The toolkit's VST 2.4 binding: an editor whose window is a toolkit frame. It hands the
// host its rectangle, runs the frame's idle, and passes the host's keys and wheel to the
// frame. The derived editor makes the frame on open and sets `frame` while it is open.
// For its whole life it holds what the platform needs on its thread (OLE on Windows).
#pragma once

#include "gui/CFrame.h"
#include "gui/platform/UserInterfaceThread.h"
#include "host/AEffEditor.h"

class AEffGUIEditor : public AEffEditor {
public:
    explicit AEffGUIEditor(AudioEffect* effect);

    bool getRect(ERect** rect) override;
    bool open(void* parentWindow) override;
    bool isOpen() override { return frame != nullptr; }
    void idle() override;
    bool onKeyDown(VstKeyCode& key) override;
    bool onKeyUp(VstKeyCode& key) override;
    bool onWheel(float distance) override;
    // One knob mode for every knob of the library. The toolkit's knobs always work in
    // linear mode; the value is kept only to be reported.
    bool setKnobMode(VstInt32 mode) override;
    static VstInt32 getKnobMode();

    VSTGUI::CFrame* getFrame() const { return frame; }

protected:
    VSTGUI::platform::UserInterfaceThread userInterfaceThread;
    ERect rect{};
    VSTGUI::CFrame* frame = nullptr;
};
