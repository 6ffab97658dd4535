// The effect's editor: a 1000 x 700 window of 26 views on a bitmap background, kept in
// step with the parameters in both directions, with a read-out line, two gain-reduction
// meters and auto-gain. Views exist only while the window is open.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "editor/AutoGain.h"
#include "editor/EditorEffect.h"
#include "editor/ReadoutMessages.h"
#include "gui/AEffGUIEditor.h"
#include "gui/CBaseObject.h"
#include "gui/IControlListener.h"

namespace VSTGUI {
class CAnimKnob;
class CBitmap;
class CControl;
class COnOffButton;
class CTextButton;
class CTextLabel;
}  // namespace VSTGUI
class PresetState;
class VireRude_StaticVectorImage;
class VireRude_VectorKnob;

class RovuduradirEditor : public AEffGUIEditor, public VSTGUI::IControlListener {
public:
    // Number of parameters the editor shows (indices 0 to 10).
    static constexpr int kControlCount = 11;
    static constexpr int32_t kMeterTag = 11;

    RovuduradirEditor(AudioEffect* effect, EditorEffect& parameters);
    ~RovuduradirEditor() override;

    bool open(void* parentWindow) override;
    void close() override;
    void idle() override;
    // From any thread. On the thread that runs the window the control follows at once;
    // from another (a host's audio or automation thread) the change is noted without a
    // lock and the control follows at the next idle.
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(VSTGUI::CControl* control) override;

    // The millisecond counter the idle timing reads; tests drive their own.
    void setTickSource(std::function<uint32_t()> source) { tickSource = std::move(source); }
    const char* getReadoutText() const { return readoutText; }
    AutoGain& getAutoGain() { return autoGain; }
    // The control showing parameter `index` (0 to 10) while the window is open.
    VSTGUI::CControl* getParameterControl(int index) const;

    // The preset actions of the LOAD, SAVE, COPY and PASTE buttons and their parts.
    void copyPresetToClipboard();
    bool pastePresetFromClipboard();
    void loadPresetFile();
    void savePresetFile();
    const PresetState& getPresets() const { return *presets; }

private:
    void createViews();
    void showReadout(const char* text);
    void showControlMessage(int32_t tag, float value, ReadoutOccasion occasion);
    // Sets the control of parameter `index` (0 to 10) to the effect's value; window open.
    void followParameter(int index);
    void applyPendingParameters();
    void hoverReadout();
    void meterTick();
    bool onUserInterfaceThread() const;
    void loadAction();
    void saveAction();
    void copyAction();
    void pasteAction();
    enum class DialogOutcome { chosen, cancelled, unavailable };
    // Runs the load or save dialog; a chosen file's path goes to chosenPresetPath.
    DialogOutcome choosePresetFile(bool save);
    void requestAutoGainIfOn();

    EditorEffect& parameters;
    VSTGUI::SharedPointer<VSTGUI::CBitmap> backgroundBitmap;
    VSTGUI::CRect editorSize;
    std::function<uint32_t()> tickSource;

    VSTGUI::CTextLabel* productLabel = nullptr;
    VSTGUI::CTextLabel* vendorLabelTop = nullptr;
    VSTGUI::CTextLabel* vendorLabelBottom = nullptr;
    VSTGUI::CTextLabel* readoutLabel = nullptr;
    VSTGUI::CTextLabel* dryWetLabel = nullptr;
    char readoutText[256] = {};
    VireRude_StaticVectorImage* cornerTopLeft = nullptr;
    VireRude_StaticVectorImage* cornerBottomRight = nullptr;
    VireRude_StaticVectorImage* cornerBottomLeft = nullptr;
    VireRude_StaticVectorImage* cornerTopRight = nullptr;
    VSTGUI::CAnimKnob* inputGainKnob = nullptr;
    VSTGUI::CAnimKnob* outputVolumeKnob = nullptr;
    VSTGUI::CAnimKnob* attackKnob = nullptr;
    VSTGUI::CAnimKnob* releaseKnob = nullptr;
    VSTGUI::CAnimKnob* ratioKnob = nullptr;
    VSTGUI::CAnimKnob* leftGridKnob = nullptr;
    VSTGUI::CAnimKnob* rightGridKnob = nullptr;
    VSTGUI::CAnimKnob* sidechainSwitch = nullptr;
    VireRude_VectorKnob* dryWetKnob = nullptr;
    VSTGUI::COnOffButton* powerButton = nullptr;
    VSTGUI::COnOffButton* autoGainButton = nullptr;
    VSTGUI::CAnimKnob* meterLeft = nullptr;
    VSTGUI::CAnimKnob* meterRight = nullptr;
    VSTGUI::CTextButton* loadButton = nullptr;
    VSTGUI::CTextButton* saveButton = nullptr;
    VSTGUI::CTextButton* copyButton = nullptr;
    VSTGUI::CTextButton* pasteButton = nullptr;

    uint32_t lastHoverTicks = 0;
    uint32_t lastMeterTicks = 0;
    AutoGain autoGain;
    // Bit i: parameter i changed on another thread since the last idle.
    std::atomic<uint32_t> pendingParameters{0};
    // The thread the host runs the window on: the one that opened it and calls idle. Kept
    // here rather than in a thread_local, whose first use on each host thread (the audio
    // thread's first automation included) would allocate the plug-in's thread storage.
    std::atomic<std::thread::id> windowThread{};
    static_assert(std::atomic<std::thread::id>::is_always_lock_free);
    std::unique_ptr<PresetState> presets;
    // The file chosen in the last dialog, for the load and save that follow it.
    std::string chosenPresetPath;
};
