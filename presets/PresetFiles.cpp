// Preset files: text-mode streams, not locked against other readers or writers.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "presets/PresetState.h"

namespace {
constexpr std::string_view kSavedExtension = ".dez";
}  // namespace

bool PresetState::takePresetPath(std::string_view path) {
    if (path.empty() || path.size() > kLongestPresetPath ||
        path.find('\0') != std::string_view::npos)
        return false;
    std::memcpy(presetPath_, path.data(), path.size());
    presetPath_[path.size()] = '\0';
    return true;
}

PresetFileOutcome PresetState::loadPresetFile(std::string_view path,
                                              PresetParameters& parameters) {
    if (!takePresetPath(path)) return PresetFileOutcome::pathRefused;
    // Only a regular file: a named pipe would block the user-interface thread for good.
    std::error_code error;
    if (!std::filesystem::is_regular_file(presetPath_, error))
        return PresetFileOutcome::cannotOpen;
    std::ifstream file(presetPath_);
    if (!file) return PresetFileOutcome::cannotOpen;
    file.read(presetInText_, kLongestPresetText);
    const auto length = static_cast<std::size_t>(file.gcount());
    presetInText_[length] = '\0';
    presetInTextCut_ = length == kLongestPresetText &&
                       file.peek() != std::ifstream::traits_type::eof();
    if (!parsePresetText()) return PresetFileOutcome::notAPreset;
    applyPresetValues(parameters);
    return PresetFileOutcome::done;
}

PresetFileOutcome PresetState::savePresetFile(std::string_view chosenPath) {
    std::string path(chosenPath);
    if (path.find(kSavedExtension) == std::string::npos) path += kSavedExtension;
    return writePresetOutText(path);
}

PresetFileOutcome PresetState::writePresetOutText(std::string_view path) {
    if (!takePresetPath(path)) return PresetFileOutcome::pathRefused;
    // A new file or a regular one: opening a named pipe to write would block the
    // user-interface thread until something reads it.
    std::error_code error;
    if (std::filesystem::exists(presetPath_, error) &&
        !std::filesystem::is_regular_file(presetPath_, error))
        return PresetFileOutcome::cannotOpen;
    std::ofstream file(presetPath_);
    if (!file) return PresetFileOutcome::cannotOpen;
    const std::string_view text = presetOutText();
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return file ? PresetFileOutcome::done : PresetFileOutcome::cannotWrite;
}
