// `--param NAME=VALUE` and `--param INDEX=VALUE`: which parameter, and the value for it in
// the plug-in's own terms (normalised 0 to 1 in VST 2.4, each parameter's range in CLAP).
#pragma once

#include <string>
#include <vector>

#include "tools/host/StereoPlugin.h"

namespace vsthost {

struct ParameterAssignment {
    int index;
    double value;
};

// `parameters` are the plug-in's, by index. A name matches whatever its case; a name
// several parameters share must be given by index. The value is a number within the
// parameter's range. Throws ToolError for an unknown name or index, a name shared by
// several parameters, or a value that is not such a number.
ParameterAssignment resolveParameterAssignment(const std::string& assignment,
                                               const std::vector<PluginParameter>& parameters);

// The plug-in's parameters, by index.
std::vector<PluginParameter> pluginParameters(StereoPlugin& plugin);

}  // namespace vsthost
