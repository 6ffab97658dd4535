// What the LOAD, SAVE, COPY and PASTE buttons do: the file dialogs, preset files and the
// system clipboard around the preset state. Each action runs on the window's thread,
// inside the button's change, and needs the window open (its frame).
#pragma once

#include <memory>
#include <string>

#include "presets/PresetParameters.h"

namespace VSTGUI {
class CFrame;
}
class PresetState;

class PresetActions {
public:
    explicit PresetActions(PresetParameters& parameters);
    ~PresetActions();
    PresetActions(const PresetActions&) = delete;
    PresetActions& operator=(const PresetActions&) = delete;

    enum class DialogOutcome { chosen, cancelled, unavailable };

    // The load dialog, then loadPresetFile with the file chosen.
    DialogOutcome load(VSTGUI::CFrame* frame);
    // The save dialog, then savePresetFile with the file chosen.
    void save(VSTGUI::CFrame* frame);

    void copyPresetToClipboard(VSTGUI::CFrame* frame);
    bool pastePresetFromClipboard(VSTGUI::CFrame* frame);
    void loadPresetFile();
    // Copies the preset to the clipboard (which builds the text written), then writes it.
    void savePresetFile(VSTGUI::CFrame* frame);

    const PresetState& getPresets() const { return *presets; }

private:
    // Runs the load or save dialog; a chosen file's path goes to chosenPresetPath.
    DialogOutcome choosePresetFile(VSTGUI::CFrame* frame, bool save);

    PresetParameters& parameters;
    std::unique_ptr<PresetState> presets;
    // The file chosen in the last dialog, for the load and save that follow it.
    std::string chosenPresetPath;
};
