// Reading a Marvolenzik preset file: twelve lines, a header "Marvolenzik 010000" and
// eleven "KEY VALUE" lines with the normalised values of parameters 0 to 10. The editor
// reads the same text; this is the host tool's copy of that reader.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "host/VstInterface.h"

namespace vsthost {

inline constexpr int kPresetValueCount = 11;  // parameters 0 to 10

using PresetValues = std::array<float, kPresetValueCount>;

// The values of an acceptable text, by position. The first word is not compared; each
// key is skipped whatever it says; the version must be a number of at least 10000; the
// line structure does not matter and text after the eleventh value is ignored. Values
// are not clamped, but a value that is not finite makes the text unacceptable.
std::optional<PresetValues> scanPresetText(const std::string& text);

// Reads at most the 9,999 characters the editor's buffer holds. Throws ToolError when the
// file cannot be read or is not an acceptable preset.
PresetValues readPresetFile(const std::string& path);

}  // namespace vsthost
