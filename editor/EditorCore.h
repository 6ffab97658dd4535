// The editor without a plug-in format: a 1000 x 700 window of 26 views on a bitmap
// background, kept in step with the parameters in both directions, with a read-out line,
// two gain-reduction meters, auto-gain and the preset buttons. It reaches the effect only
// through EditorEffect; a format binding opens it in the host's window, drives its idle,
// and tells it of parameter changes. Views exist only while the window is open.
#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>

#include "editor/AutoGain.h"
#include "editor/EditorEffect.h"
#include "editor/PresetActions.h"
#include "editor/ReadoutMessages.h"
#include "effect/Parameters.h"
#include "gui/CBaseObject.h"
#include "gui/CFrame.h"
#include "gui/IControlListener.h"
#include "gui/VSTGUIEditorInterface.h"

namespace VSTGUI {
class CAnimKnob;
class CBitmap;
class CControl;
class CTextLabel;
}  // namespace VSTGUI

class EditorCore : public VSTGUI::IControlListener, private VSTGUI::VSTGUIEditorInterface {
public:
    explicit EditorCore(EditorEffect& effect);
    ~EditorCore() override;
    EditorCore(const EditorCore&) = delete;
    EditorCore& operator=(const EditorCore&) = delete;

    // The window's size: the background image's (0 x 0 without it).
    double getWidth() const;
    double getHeight() const;

    // Builds the window inside `parentWindow` (a native window handle; null for a window of
    // its own) on the calling thread, which from then on is the window's thread. Opening an
    // open window opens it afresh. False when no window can be made.
    bool open(void* parentWindow);
    void close();
    bool isOpen() const { return frame != nullptr; }
    VSTGUI::CFrame* getFrame() const { return frame; }

    // The periodic call on the window's thread: parameter changes from other threads, the
    // window's input and redraws, the hover read-out every second and the meters and
    // auto-gain every 60 ms.
    void idle();
    // The effect stored a new value of parameter `index`, on any thread. On the window's
    // thread the control follows at once; from another (a host's audio or automation
    // thread) the change is noted without a lock and the control follows at the next idle.
    void parameterChanged(int32_t index);

    void valueChanged(VSTGUI::CControl* control) override;

    // The millisecond counter the idle timing reads; tests drive their own.
    void setTickSource(std::function<uint32_t()> source) { tickSource = std::move(source); }
    const char* getReadoutText() const { return readoutText; }
    AutoGain& getAutoGain() { return autoGain; }
    PresetActions& getPresetActions() { return presetActions; }
    // The control showing parameter `index` (0 to 10) while the window is open.
    VSTGUI::CControl* getParameterControl(int32_t index) const;

private:
    // The controls' edit gestures, by tag, as the frame passes them on.
    void beginEdit(int32_t tag) override { effect.beginEdit(tag); }
    void endEdit(int32_t tag) override { effect.endEdit(tag); }

    void createViews();
    void showReadout(const char* text);
    void showControlMessage(int32_t tag, float value, ReadoutOccasion occasion);
    // Sets the control of parameter `index` to the effect's value; window open.
    void followParameter(int32_t index);
    void applyPendingParameters();
    void hoverReadout();
    void meterTick();
    bool onWindowThread() const;
    void runPresetAction(int32_t tag);
    void requestAutoGainIfOn();

    EditorEffect& effect;
    VSTGUI::SharedPointer<VSTGUI::CBitmap> backgroundBitmap;
    VSTGUI::CFrame* frame = nullptr;
    std::function<uint32_t()> tickSource;

    // References into the frame's views, valid while it is open.
    std::array<VSTGUI::CControl*, parameter::kActiveCount> parameterControls{};
    VSTGUI::CAnimKnob* meterLeft = nullptr;
    VSTGUI::CAnimKnob* meterRight = nullptr;
    VSTGUI::CTextLabel* readoutLabel = nullptr;
    char readoutText[256] = {};

    uint32_t lastHoverTicks = 0;
    uint32_t lastMeterTicks = 0;
    AutoGain autoGain;
    PresetActions presetActions;
    // Bit i: parameter i changed on another thread since the last idle.
    std::atomic<uint32_t> pendingParameters{0};
    static_assert(parameter::kActiveCount <= 32);
    // The thread the host runs the window on: the one that opened it and calls idle. Kept
    // here rather than in a thread_local, whose first use on each host thread (the audio
    // thread's first automation included) would allocate the plug-in's thread storage.
    std::atomic<std::thread::id> windowThread{};
    static_assert(std::atomic<std::thread::id>::is_always_lock_free);
};
