// Marvolenzik's preset files for a loaded Marvolenzik, read and written by the same code
// as its editor's. The caller makes sure the plug-in is Marvolenzik (isOwnPlugin).
#pragma once

#include <string>

namespace vsthost {

class StereoPlugin;

// Reads the preset file and applies its values to the plug-in in index order; returns
// how many parameters it set (indices 0 to that count - 1). Throws ToolError when the
// file cannot be read or holds no preset.
int applyOwnPresetFile(StereoPlugin& plugin, const std::string& path);

// Writes the preset text of the plug-in's current values to exactly `path` (no extension
// is added). Throws ToolError when it cannot be written.
void saveOwnPresetFile(StereoPlugin& plugin, const std::string& path);

}  // namespace vsthost
