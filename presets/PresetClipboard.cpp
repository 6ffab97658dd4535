// Taking a preset from the text another program (or this one) put on the clipboard.
#include "presets/PresetState.h"

bool PresetState::pastePresetText(std::string_view clipboardText, PresetParameters& parameters) {
    const std::string_view text = clipboardText.substr(0, clipboardText.find('\0'));
    if (text.substr(0, kClipboardProductWordWindow).find(kPresetProductWord) ==
        std::string_view::npos)
        return false;
    fillPresetInText(text);
    if (!parsePresetText()) return false;
    applyPresetValues(parameters);
    return true;
}
