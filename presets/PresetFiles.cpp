// Preset files: text-mode streams, not locked against other readers or writers.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "presets/PresetState.h"

namespace {
constexpr std::string_view kSavedExtension = ".dez";

// Paths are UTF-8 (what the file dialogs give) on every system; Windows would read a
// narrow path in the user's code page instead.
std::filesystem::path fileSystemPath(const char* utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8)));
}
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
    if (!std::filesystem::is_regular_file(fileSystemPath(presetPath_), error))
        return PresetFileOutcome::cannotOpen;
    std::ifstream file(fileSystemPath(presetPath_));
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

namespace {

bool writeWholeFile(const std::filesystem::path& path, std::string_view text) {
    std::ofstream file(path, std::ios::trunc);
    if (!file) return false;
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    file.close();
    return static_cast<bool>(file);
}

// The text goes to a file beside the preset, which then takes its place: a write that fails
// half way (a full disk, a quota) leaves the old preset whole. A link is followed, so that
// the file it names is replaced and the link stays. noRoomBeside, with nothing changed,
// when no file can be made beside it (a folder we may not write to).
enum class Replaced { done, failed, noRoomBeside };
Replaced replaceFile(const std::filesystem::path& chosen, std::string_view text) {
    std::error_code error;
    const std::filesystem::path path = std::filesystem::is_symlink(chosen, error)
                                           ? std::filesystem::canonical(chosen, error)
                                           : chosen;
    if (error) return Replaced::noRoomBeside;
    std::filesystem::path temporary = path;
    temporary += ".saving";
    const auto leftOver = std::filesystem::symlink_status(temporary, error);
    if (std::filesystem::exists(leftOver) && !std::filesystem::is_regular_file(leftOver))
        return Replaced::noRoomBeside;
    if (!std::ofstream(temporary)) return Replaced::noRoomBeside;
    const auto permissions = std::filesystem::status(path, error).permissions();
    if (!error) std::filesystem::permissions(temporary, permissions, error);
    if (writeWholeFile(temporary, text)) {
        std::filesystem::rename(temporary, path, error);
        if (!error) return Replaced::done;
    }
    std::filesystem::remove(temporary, error);
    return Replaced::failed;
}

}  // namespace

PresetFileOutcome PresetState::writePresetOutText(std::string_view path) {
    if (!takePresetPath(path)) return PresetFileOutcome::pathRefused;
    // A new file or a regular one: opening a named pipe to write would block the
    // user-interface thread until something reads it.
    std::error_code error;
    const bool existed = std::filesystem::exists(fileSystemPath(presetPath_), error);
    if (existed && !std::filesystem::is_regular_file(fileSystemPath(presetPath_), error))
        return PresetFileOutcome::cannotOpen;
    // Opened for appending, which leaves an existing file as it is, to learn whether we may
    // write it at all: a preset the user made read-only stays as it is.
    if (!std::ofstream(fileSystemPath(presetPath_), std::ios::app)) return PresetFileOutcome::cannotOpen;
    const std::string_view text = presetOutText();
    switch (replaceFile(fileSystemPath(presetPath_), text)) {
        case Replaced::done:
            return PresetFileOutcome::done;
        case Replaced::noRoomBeside:
            return writeWholeFile(fileSystemPath(presetPath_), text) ? PresetFileOutcome::done
                                                     : PresetFileOutcome::cannotWrite;
        case Replaced::failed:
            break;
    }
    if (!existed) std::filesystem::remove(fileSystemPath(presetPath_), error);
    return PresetFileOutcome::cannotWrite;
}
