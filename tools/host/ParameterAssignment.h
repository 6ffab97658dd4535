// `--param NAME=VALUE` and `--param INDEX=VALUE`: which parameter, and the normalised
// value for it.
#pragma once

#include <string>
#include <vector>

#include "host/VstInterface.h"

namespace vsthost {

class PluginInstance;

struct ParameterAssignment {
    VstInt32 index;
    float value;
};

// `names` are the parameter names as the plug-in reports them, by index. A name matches
// whatever its case; a name several parameters share must be given by index. The value
// is a number from 0 to 1. Throws ToolError for an unknown name or index, a name shared
// by several parameters, or a value that is not such a number.
ParameterAssignment resolveParameterAssignment(const std::string& assignment,
                                               const std::vector<std::string>& names);

// The names the plug-in reports for its parameters, by index.
std::vector<std::string> parameterNames(PluginInstance& plugin);

}  // namespace vsthost
