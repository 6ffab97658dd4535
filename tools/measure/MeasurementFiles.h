// The numbers of a `measure` run as files: a CSV per measurement (a row per point, the
// plug-in in the first column) and one measurements.json, the first plug-in's results at
// its top level and the others' under "compared_with".
#pragma once

#include <string>
#include <vector>

#include "tools/measure/Measurements.h"

namespace measure {

// The files written, by name. Throws ToolError when one cannot be written.
std::vector<std::string> writeCsvFiles(const std::string& folder, const std::vector<PluginMeasurements>& results);
std::string writeJson(const std::string& folder, const std::vector<PluginMeasurements>& results);

}  // namespace measure
