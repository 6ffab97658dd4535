// Paths as the tools keep them, UTF-8 texts, and as the file system takes them (Windows
// reads a narrow path in the user's code page, not as UTF-8).
#pragma once

#include <filesystem>
#include <string>

namespace vsthost {

inline std::filesystem::path pathFromUtf8(const std::string& text) {
    return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string utf8OfPath(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

}  // namespace vsthost
