#include "tools/host/ParameterAssignment.h"

#include <algorithm>
#include <cctype>

#include "tools/host/CommandLine.h"
#include "tools/host/PluginInstance.h"
#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

VstInt32 findIndex(const std::string& key, const std::vector<std::string>& names) {
    const VstInt32 count = static_cast<VstInt32>(names.size());
    if (const auto number = parseInteger(key)) {
        if (*number < 0 || *number >= count)
            throw ToolError("parameter index " + key + " is out of range: the plug-in has " +
                            std::to_string(count) + " parameters (0 to " +
                            std::to_string(count - 1) + ")");
        return static_cast<VstInt32>(*number);
    }
    VstInt32 found = -1;
    for (VstInt32 index = 0; index < count; ++index) {
        if (!sameIgnoringCase(key, names[index])) continue;
        if (found >= 0)
            throw ToolError("parameter name '" + key + "' is shared by indices " +
                            std::to_string(found) + " and " + std::to_string(index) +
                            "; give the index instead");
        found = index;
    }
    if (found < 0) {
        std::string known;
        for (const std::string& name : names)
            if (name != "-" && known.find("'" + name + "'") == std::string::npos)
                known += (known.empty() ? "" : ", ") + ("'" + name + "'");
        throw ToolError("unknown parameter '" + key + "' (the plug-in has " + known + ")");
    }
    return found;
}

}  // namespace

ParameterAssignment resolveParameterAssignment(const std::string& assignment,
                                               const std::vector<std::string>& names) {
    const std::size_t equals = assignment.rfind('=');
    if (equals == std::string::npos || equals == 0)
        throw ToolError("--param needs NAME=VALUE or INDEX=VALUE, not '" + assignment + "'");
    const std::string key = assignment.substr(0, equals);
    const std::string valueText = assignment.substr(equals + 1);
    const VstInt32 index = findIndex(key, names);
    const auto value = parseNumber(valueText);
    if (!value) throw ToolError("'" + valueText + "' is not a number (--param " + assignment + ")");
    if (*value < 0.0 || *value > 1.0)
        throw ToolError("--param " + assignment + ": values are normalised, from 0 to 1");
    return {index, static_cast<float>(*value)};
}

std::vector<std::string> parameterNames(PluginInstance& plugin) {
    std::vector<std::string> names;
    for (VstInt32 index = 0; index < plugin.effect()->numParams; ++index)
        names.push_back(plugin.parameterName(index));
    return names;
}

}  // namespace vsthost
