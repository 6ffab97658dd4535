#include "tools/host/ParameterAssignment.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "tools/host/CommandLine.h"
#include "tools/host/ToolError.h"

namespace vsthost {

namespace {

bool sameIgnoringCase(const std::string& a, const std::string& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
}

std::string numberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

int findIndex(const std::string& key, const std::vector<PluginParameter>& parameters) {
    std::vector<std::string> names;
    for (const PluginParameter& parameter : parameters) names.push_back(parameter.name);
    const int count = static_cast<int>(names.size());
    if (const auto number = parseInteger(key)) {
        if (*number < 0 || *number >= count)
            throw ToolError("parameter index " + key + " is out of range: the plug-in has " +
                            std::to_string(count) + " parameters (0 to " +
                            std::to_string(count - 1) + ")");
        return static_cast<int>(*number);
    }
    int found = -1;
    for (int index = 0; index < count; ++index) {
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
                                               const std::vector<PluginParameter>& parameters) {
    const std::size_t equals = assignment.rfind('=');
    if (equals == std::string::npos || equals == 0)
        throw ToolError("--param needs NAME=VALUE or INDEX=VALUE, not '" + assignment + "'");
    const std::string key = assignment.substr(0, equals);
    const std::string valueText = assignment.substr(equals + 1);
    const int index = findIndex(key, parameters);
    const auto value = parseNumber(valueText);
    if (!value) throw ToolError("'" + valueText + "' is not a number (--param " + assignment + ")");
    const PluginParameter& parameter = parameters[static_cast<std::size_t>(index)];
    if (*value < parameter.minimum || *value > parameter.maximum)
        throw ToolError("--param " + assignment + ": " + parameter.name + " takes values from " +
                        numberText(parameter.minimum) + " to " + numberText(parameter.maximum));
    return {index, *value};
}

std::vector<PluginParameter> pluginParameters(StereoPlugin& plugin) {
    std::vector<PluginParameter> parameters;
    for (int index = 0; index < plugin.parameterCount(); ++index) parameters.push_back(plugin.parameter(index));
    return parameters;
}

}  // namespace vsthost
