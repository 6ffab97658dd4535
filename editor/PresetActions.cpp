#include "editor/PresetActions.h"

#include <span>

#include "gui/CFrame.h"
#include "gui/CNewFileSelector.h"
#include "presets/PresetState.h"

using namespace VSTGUI;

PresetActions::PresetActions(PresetParameters& parameters)
    : parameters(parameters), presets(std::make_unique<PresetState>()) {}

PresetActions::~PresetActions() = default;

PresetActions::DialogOutcome PresetActions::choosePresetFile(CFrame* frame, bool save) {
    const CNewFileSelector::Style style =
        save ? CNewFileSelector::kSelectSaveFile : CNewFileSelector::kSelectFile;
    auto selector = SharedPointer<CNewFileSelector>::adopt(CNewFileSelector::create(frame, style));
    if (!selector) return DialogOutcome::unavailable;
    const CFileExtension presetFiles{"Marvolenzik", "mvz"};
    selector->addFileExtension(presetFiles);
    selector->setDefaultExtension(presetFiles);
    selector->setTitle(save ? "Choose A Preset File To Save" : "Choose A Preset File To Load");
    selector->setInitialPath(std::string(presets->presetPath()));
    if (!selector->runModal() || !selector->getSelectedFile(0)) return DialogOutcome::cancelled;
    chosenPresetPath = selector->getSelectedFile(0);
    return DialogOutcome::chosen;
}

PresetActions::DialogOutcome PresetActions::load(CFrame* frame) {
    const DialogOutcome outcome = choosePresetFile(frame, false);
    if (outcome == DialogOutcome::chosen) loadPresetFile();
    return outcome;
}

void PresetActions::save(CFrame* frame) {
    if (choosePresetFile(frame, true) == DialogOutcome::chosen) savePresetFile(frame);
}

void PresetActions::loadPresetFile() { presets->loadPresetFile(chosenPresetPath, parameters); }

void PresetActions::savePresetFile(CFrame* frame) {
    copyPresetToClipboard(frame);
    presets->savePresetFile(chosenPresetPath);
}

void PresetActions::copyPresetToClipboard(CFrame* frame) {
    std::string block(kPresetTextBytes, '\0');
    const std::size_t length = presets->buildPresetText(
        parameters, std::span<char, kPresetTextBytes>(block.data(), kPresetTextBytes));
    block.resize(length);
    if (frame && frame->getPlatformFrame()) frame->getPlatformFrame()->setClipboardText(block);
}

bool PresetActions::pastePresetFromClipboard(CFrame* frame) {
    std::string text;
    if (!frame || !frame->getPlatformFrame() || !frame->getPlatformFrame()->getClipboardText(text))
        return false;
    return presets->pastePresetText(text, parameters);
}
