// The pictures of a `measure` run: one PNG per measurement, every plug-in measured drawn in
// it, its name and settings in the legend and the title.
#pragma once

#include <string>
#include <vector>

#include "tools/measure/Measurements.h"

namespace measure {

// The files written, by name. Throws ToolError when one cannot be written.
std::vector<std::string> writePlots(const std::string& folder, const std::vector<PluginMeasurements>& results);

}  // namespace measure
